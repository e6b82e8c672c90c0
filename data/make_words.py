#!/usr/bin/env python3
"""Writes initial.sql: the Settings row, the languages and their 107 words each.

Slots: 0 zero (unused), 1..99 the complete spelling of n, 100 cents label,
101 hundred, 102 thousand, 103 million, 104 billion, 105 closing word, 106 joining word.
"""

def spell(n, ones, tens, teen_of):
    if n < 20:
        return ones[n] if n < 10 or n == 10 else teen_of(n)
    t, u = divmod(n, 10)
    return tens[t] + (" " + ones[u] if u else "")

EN_ONES = ["Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten"]
EN_TEENS = {11: "Eleven", 12: "Twelve", 13: "Thirteen", 14: "Fourteen", 15: "Fifteen",
            16: "Sixteen", 17: "Seventeen", 18: "Eighteen", 19: "Nineteen"}
EN_TENS = ["", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"]

MS_ONES = ["Kosong", "Satu", "Dua", "Tiga", "Empat", "Lima", "Enam", "Tujuh", "Lapan", "Sembilan",
           "Sepuluh"]
MS_TENS = ["", "", "Dua Puluh", "Tiga Puluh", "Empat Puluh", "Lima Puluh", "Enam Puluh",
           "Tujuh Puluh", "Lapan Puluh", "Sembilan Puluh"]

def ms_teen(n):
    return "Sebelas" if n == 11 else MS_ONES[n - 10] + " Belas"

languages = [
    (1, "English", lambda n: spell(n, EN_ONES, EN_TENS, EN_TEENS.get),
     ["Cents", "Hundred", "Thousand", "Million", "Billion", "Only", "And"]),
    (2, "Malay", lambda n: spell(n, MS_ONES, MS_TENS, ms_teen),
     ["Sen", "Ratus", "Ribu", "Juta", "Bilion", "Sahaja", "Dan"]),
]

def q(text):
    return "'" + text.replace("'", "''") + "'"

lines = ["-- Initial rows of chequedb.mdb, written by make_words.py.",
         "INSERT INTO Settings (ID, SaveChange, ClearData, AlertUser, DateFormat, BankIndex, "
         "PrintDate, WordCase) VALUES (1, 1, 1, 1, 'dd mmm yyyy', 0, 1, 'UPPER CASE');"]
for lang_id, name, words, extra in languages:
    lines.append(f"INSERT INTO LanguageMain (ID, LanguageName) VALUES ({lang_id}, {q(name)});")
    slots = [words(n) for n in range(100)] + extra
    assert len(slots) == 107
    for slot, word in enumerate(slots):
        lines.append(f"INSERT INTO AmountWord (LanguageID, Type, Word) VALUES ({lang_id}, {slot}, {q(word)});")

with open(__file__.rsplit("/", 1)[0] + "/initial.sql", "w", encoding="utf-8") as out:
    out.write("\n".join(lines) + "\n")
