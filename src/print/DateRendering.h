#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

class FieldLabelSet;

// The date written in a date style: d, dd, ddd, dddd (day, two-digit day,
// abbreviated and full weekday name), m, mm, mmm, mmmm (month likewise), yy,
// yyyy (year) and "/" (the locale's date separator), longest code first, in
// either letter case; every other character is copied. Names come from `locale`.
QString formatDateStyle(QDate date, const QString& dateStyle,
                        const QLocale& locale = QLocale::system());

// The locale's date separator, read from its short date format ("/" when it
// shows none).
QString dateSeparator(const QLocale& locale);

// Writes the date into the date fields of `labels`: the eight digit boxes
// (SDateD1..SDateY4) always get the digits of "ddmmyyyy"; then by date type
// 0 the Date field gets the date in `dateStyle` and only it is shown,
// 1 the boxes without the first two year digits are shown, 2 all eight boxes
// are shown; any other type changes no visible flag.
void fillDateLabels(int dateType, QDate date, const QString& dateStyle, FieldLabelSet& labels,
                    const QLocale& locale = QLocale());
