#include "batch/BatchSetup.h"

#include <QLocale>

#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/LanguageStore.h"
#include "store/RegisterStore.h"

const ChequeFormat* BatchSetup::format(const QString& code) const {
    for (const ChequeFormat& f : formats)
        if (f.bankCode == code) return &f;
    for (const ChequeFormat& f : formats)
        if (f.bankCode.compare(code, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

BatchSetup BatchSetup::read(Database& db, const Choices& choices) {
    BatchSetup setup;
    setup.formats = ChequeFormatStore::listByCode(db);
    const std::vector<Language> languages = LanguageStore::list(db);
    for (const Language& language : languages)
        setup.wordsByLanguage.insert(language.id, AmountWordTable::load(db, language.id));
    // The preview spells in the first language when a format's language is gone.
    if (!languages.empty()) setup.fallbackLanguage = languages.front().id;
    setup.defaultBankCode = choices.defaultBankCode;
    setup.today = choices.today;
    setup.shortDateFormat = choices.shortDateFormat;
    setup.dateStyle = choices.dateStyle;
    setup.printDate = choices.printDate;
    setup.properCase = choices.properCase;
    setup.measure = choices.measure;
    for (const ChequeFormat& f : setup.formats) {
        const QString next = ChequeNumberStore::next(db, f.bankCode);
        if (!next.isEmpty()) setup.nextNumbers.insert(f.bankCode, next);
    }
    for (const RegisterEntry& entry : RegisterStore::issuedNumbers(db)) {
        const QString day = QLocale::c().toString(entry.printedAt.toLocalTime().date(),
                                                  QStringLiteral("d MMM yyyy"));
        QString description = QStringLiteral("printed on ") + day + QStringLiteral(" to ") + entry.payee;
        if (entry.state == RegisterEntry::State::Void) description += QStringLiteral(" (void)");
        setup.usedNumbers[entry.bankCode].insert(entry.chequeNumber, description);
    }
    return setup;
}
