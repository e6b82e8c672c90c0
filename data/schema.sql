-- Tables of chequedb.mdb as the first release made them (PRAGMA user_version 0). The program
-- reads and writes rows; only quorvanta-initdb runs this, followed by the upgrade steps of
-- src/store/Schema.cpp that also bring older files up to date.
CREATE TABLE Settings (
    ID INTEGER PRIMARY KEY,
    SaveChange INTEGER NOT NULL DEFAULT 1,
    ClearData INTEGER NOT NULL DEFAULT 1,
    AlertUser INTEGER NOT NULL DEFAULT 1,
    DateFormat TEXT NOT NULL DEFAULT 'dd mmm yyyy',
    BankIndex INTEGER NOT NULL DEFAULT 0,
    PrintDate INTEGER NOT NULL DEFAULT 1,
    WordCase TEXT NOT NULL DEFAULT 'UPPER CASE'
);

CREATE TABLE Company (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT NOT NULL COLLATE NOCASE
);
CREATE INDEX CompanyName ON Company (Name);

CREATE TABLE LanguageMain (
    ID INTEGER PRIMARY KEY,
    LanguageName TEXT NOT NULL COLLATE NOCASE
);

CREATE TABLE AmountWord (
    LanguageID INTEGER NOT NULL,
    Type INTEGER NOT NULL,
    Word TEXT NOT NULL,
    PRIMARY KEY (LanguageID, Type)
);

CREATE TABLE BankCheque (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    BankName TEXT NOT NULL,
    BankCode TEXT NOT NULL UNIQUE,
    AmountLanguage INTEGER NOT NULL,
    PrinterName TEXT NOT NULL,
    Orientation TEXT NOT NULL,
    ChequeWidth REAL NOT NULL,
    ChequeHeight REAL NOT NULL,
    ChequeTop REAL NOT NULL,
    ChequeLeft REAL NOT NULL,
    DateType INTEGER NOT NULL,
    DateLeft REAL NOT NULL, DateTop REAL NOT NULL, DateWidth REAL NOT NULL,
    DateFont TEXT NOT NULL, DateFontSize REAL NOT NULL, DateFontStyle TEXT NOT NULL,
    RecipientLeft REAL NOT NULL, RecipientTop REAL NOT NULL, RecipientWidth REAL NOT NULL,
    RecipientFont TEXT NOT NULL, RecipientFontSize REAL NOT NULL, RecipientFontStyle TEXT NOT NULL,
    AmountLeft REAL NOT NULL, AmountTop REAL NOT NULL, AmountWidth REAL NOT NULL,
    AmountFont TEXT NOT NULL, AmountFontSize REAL NOT NULL, AmountFontStyle TEXT NOT NULL,
    Word1Left REAL NOT NULL, Word1Top REAL NOT NULL, Word1Width REAL NOT NULL,
    Word1Font TEXT NOT NULL, Word1FontSize REAL NOT NULL, Word1FontStyle TEXT NOT NULL,
    Word2Left REAL NOT NULL, Word2Top REAL NOT NULL, Word2Width REAL NOT NULL,
    Word2Font TEXT NOT NULL, Word2FontSize REAL NOT NULL, Word2FontStyle TEXT NOT NULL,
    SDateD1Left REAL NOT NULL, SDateD1Top REAL NOT NULL, SDateD1Width REAL NOT NULL,
    SDateD2Left REAL NOT NULL, SDateD2Top REAL NOT NULL, SDateD2Width REAL NOT NULL,
    SDateM1Left REAL NOT NULL, SDateM1Top REAL NOT NULL, SDateM1Width REAL NOT NULL,
    SDateM2Left REAL NOT NULL, SDateM2Top REAL NOT NULL, SDateM2Width REAL NOT NULL,
    SDateY1Left REAL NOT NULL, SDateY1Top REAL NOT NULL, SDateY1Width REAL NOT NULL,
    SDateY2Left REAL NOT NULL, SDateY2Top REAL NOT NULL, SDateY2Width REAL NOT NULL,
    SDateY3Left REAL NOT NULL, SDateY3Top REAL NOT NULL, SDateY3Width REAL NOT NULL,
    SDateY4Left REAL NOT NULL, SDateY4Top REAL NOT NULL, SDateY4Width REAL NOT NULL,
    SDateFont TEXT NOT NULL, SDateFontSize REAL NOT NULL, SDateFontStyle TEXT NOT NULL
);
