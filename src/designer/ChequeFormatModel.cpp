#include "designer/ChequeFormatModel.h"

#include <cfloat>
#include <cmath>

#include "store/ChequeFormatStore.h"
#include "store/LanguageStore.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "core/Units.h"

namespace {

constexpr float kDesignLabelHeight = 255.0f;  // twips; heights are not stored

QString dataValidationTitle() { return QStringLiteral("Data validation"); }

}  // namespace

ChequeFormatModel::ChequeFormatModel(AppContext& context, QObject* parent)
    : QObject(parent), m_context(context) {
    for (int i = 0; i < kFieldCount; ++i) {
        FieldLabel& label = m_labels[i];
        const FieldGeometry g = ChequeFormat::defaultGeometry(i);
        label.left = g.left;
        label.top = g.top;
        label.width = g.width;
        label.height = kDesignLabelHeight;
        label.caption = designCaption(i);
    }
}

QStringList ChequeFormatModel::dateTypeNames() {
    return {QStringLiteral("Date - Normal"), QStringLiteral("Date - ddmmyy"),
            QStringLiteral("Date - ddmmyyyy")};
}

QString ChequeFormatModel::designCaption(int field) {
    static const char* const kCaptions[kFieldCount] = {"- Date -",
                                                       "- Recipient -",
                                                       "- Amount -",
                                                       "-Amount in Word #1 -",
                                                       "- Amount in Word #2 -",
                                                       "D1",
                                                       "D2",
                                                       "M1",
                                                       "M2",
                                                       "Y1",
                                                       "Y2",
                                                       "Y3",
                                                       "Y4"};
    if (field < 0 || field >= kFieldCount) return {};
    return QString::fromLatin1(kCaptions[field]);
}

QString ChequeFormatModel::bankCodeOfEntry(const QString& entry) {
    const qsizetype blank = entry.indexOf(QLatin1Char(' '));
    return blank < 0 ? entry : entry.left(blank);
}

void ChequeFormatModel::loadLanguages() {
    m_languageNames.clear();
    for (const Language& language : LanguageStore::list(*m_context.db))
        m_languageNames << language.name;
}

QStringList ChequeFormatModel::printerChoices() const {
    QStringList choices{QStringLiteral("[Default]")};
    choices << m_context.printers->printerNames();
    return choices;
}

void ChequeFormatModel::setDateType(int index) {
    if (index == m_dateType) return;
    m_dateType = index;
    changeDateStyle(index);
}

void ChequeFormatModel::changeDateStyle(int index) {
    auto leftAfter = [this](int k) { m_labels[k + 1].left = m_labels[k].left + m_labels[k].width; };
    switch (index) {
        case 0:
            m_labels[FieldDate].visible = true;
            for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) m_labels[i].visible = false;
            m_selectedField = FieldDate;
            break;
        case 1:
            m_labels[FieldDate].visible = false;
            for (int i = FieldSDateD1; i <= FieldSDateY4; ++i)
                m_labels[i].visible = i != FieldSDateY1 && i != FieldSDateY2;
            m_selectedField = FieldSDateD1;
            m_labels[FieldSDateY3].left =
                m_labels[FieldSDateM2].left + m_labels[FieldSDateM2].width;
            leftAfter(FieldSDateY3);
            break;
        case 2:
            m_labels[FieldDate].visible = false;
            for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) m_labels[i].visible = true;
            m_selectedField = FieldSDateD1;
            for (int k = FieldSDateM2; k <= FieldSDateY3; ++k) leftAfter(k);
            break;
        default:
            return;
    }
    emit changed();
    emit dateStyleChanged(m_selectedField);
}

void ChequeFormatModel::loadChequeFormat(const ChequeFormat& format) {
    Dialogs& dialogs = *m_context.dialogs;
    m_bankName = format.bankName;
    m_bankCode = format.bankCode;

    if (const auto language = LanguageStore::findById(*m_context.db, format.amountLanguage)) {
        m_languageName = language->name;
    } else {
        dialogs.message(QStringLiteral("Error retrieving Language while Retrieving Bank Details"),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    }

    m_chequeWidthText = units::twipsToInchText(format.chequeWidth);
    m_chequeHeightText = units::twipsToInchText(format.chequeHeight);
    m_printerName = format.printerName;
    m_orientationCode = format.orientationCode();
    m_chequeTop = format.chequeTop;
    m_chequeLeft = format.chequeLeft;

    // The date style first, so the stored positions win over its layout. A stored
    // style the list does not have shows as the normal date.
    const int dateType = format.dateType >= 0 && format.dateType <= 2 ? format.dateType : 0;
    setDateType(dateType);

    for (int i = 0; i < kFieldCount; ++i) {
        FieldLabel& label = m_labels[i];
        const FieldGeometry& g = format.fields.at(static_cast<size_t>(i));
        label.left = g.left;
        label.top = g.top;
        label.width = g.width;
        if (i <= FieldWord2) label.font = format.fonts.at(static_cast<size_t>(i));
    }
    // The digit boxes' font goes to label 5 only; 6 to 12 keep theirs.
    m_labels[FieldSDateD1].font = format.sdateFont;

    m_selectedField = FieldDate;
    emit changed();
    emit panelRefreshRequested(m_selectedField);
}

void ChequeFormatModel::resetChequeFormat() {
    m_bankName.clear();
    m_bankCode.clear();
    m_languageName = m_languageNames.value(0);
    m_chequeWidthText = QStringLiteral("0.00");
    m_chequeHeightText = QStringLiteral("0.00");
    m_dateType = 0;
    changeDateStyle(0);
    for (int i = 0; i < kFieldCount; ++i) {
        FieldLabel& label = m_labels[i];
        const FieldGeometry g = ChequeFormat::defaultGeometry(i);
        label.left = g.left;
        label.top = g.top;
        label.width = g.width;
        label.font = FontSpec{};
    }
    m_printerName = m_context.printers->currentPrinterName();
    m_orientationCode = 1;
    m_chequeTop = 0.0;
    m_chequeLeft = 0.0;
    emit changed();
}

std::optional<double> ChequeFormatModel::parseInches(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    // Anything a label cannot hold in twips is not a usable number either.
    if (std::fabs(value) * units::kTwipsPerInch > FLT_MAX) return std::nullopt;
    return value + 0.0;  // no negative zero
}

bool ChequeFormatModel::checkSizeTexts() {
    const struct {
        const QString& text;
        const char* box;
    } sizes[] = {{m_chequeWidthText, "Cheque Width"}, {m_chequeHeightText, "Cheque Height"}};
    for (const auto& size : sizes) {
        if (!parseInches(size.text)) {
            m_context.dialogs->message(QString::fromLatin1(size.box) +
                                           QStringLiteral(" must be a number of inches, such as "
                                                          "8.50. The format was not saved."),
                                       dataValidationTitle(), Dialogs::Icon::Exclamation,
                                       Dialogs::Buttons::Ok);
            return false;
        }
    }
    return true;
}

std::optional<ChequeFormat> ChequeFormatModel::toRecord(int languageId) const {
    const auto width = parseInches(m_chequeWidthText);
    const auto height = parseInches(m_chequeHeightText);
    if (!width || !height) return std::nullopt;
    ChequeFormat f;
    f.bankName = m_bankName;
    f.bankCode = m_bankCode;
    f.amountLanguage = languageId;
    f.printerName = m_printerName;
    f.orientation = ChequeFormat::orientationText(m_orientationCode);
    f.chequeWidth = *width * units::kTwipsPerInch;
    f.chequeHeight = *height * units::kTwipsPerInch;
    f.chequeTop = m_chequeTop;
    f.chequeLeft = m_chequeLeft;
    f.dateType = m_dateType < 0 ? 0 : m_dateType;
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldLabel& label = m_labels[i];
        f.fields.at(static_cast<size_t>(i)) = {label.left, label.top, label.width};
        if (i <= FieldWord2) f.fonts.at(static_cast<size_t>(i)) = label.font;
    }
    f.sdateFont = m_labels[FieldSDateD1].font;
    return f;
}

int ChequeFormatModel::languageIdForSave(const QString& missingText) {
    if (const auto language = LanguageStore::findByName(*m_context.db, m_languageName))
        return language->id;
    m_context.dialogs->message(missingText, QStringLiteral("Error"), Dialogs::Icon::Exclamation,
                               Dialogs::Buttons::Ok);
    return 1;
}

std::optional<qint64> ChequeFormatModel::insertChequeFormat() {
    if (!checkSizeTexts()) return std::nullopt;
    const int languageId = languageIdForSave(QStringLiteral("Language retrival error"));
    return ChequeFormatStore::insert(*m_context.db, *toRecord(languageId));
}

bool ChequeFormatModel::updateChequeFormat(const QString& selectedCode) {
    if (!checkSizeTexts()) return false;
    const int languageId =
        languageIdForSave(QStringLiteral("Error retrieving Language while saving bank details."));
    ChequeFormatStore::update(*m_context.db, selectedCode, *toRecord(languageId));
    return true;
}

ChequeFormatModel::SaveOutcome ChequeFormatModel::checkNameAndCode() {
    Dialogs& dialogs = *m_context.dialogs;
    if (m_bankName.isEmpty()) {
        dialogs.message(QStringLiteral("No emtpy Bank Name is allowed."), dataValidationTitle(),
                        Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return SaveOutcome::EmptyName;
    }
    if (m_bankCode.isEmpty()) {
        dialogs.message(QStringLiteral("No emtpy Bank Code is allowed."), dataValidationTitle(),
                        Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return SaveOutcome::EmptyCode;
    }
    return SaveOutcome::Saved;
}

ChequeFormatModel::SaveOutcome ChequeFormatModel::saveNewFormat() {
    if (const auto outcome = checkNameAndCode(); outcome != SaveOutcome::Saved) return outcome;
    if (ChequeFormatStore::findByCode(*m_context.db, m_bankCode)) {
        m_context.dialogs->message(QStringLiteral("Bank Code already exist."),
                                   QStringLiteral("Duplication of Bank Code"),
                                   Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return SaveOutcome::DuplicateCode;
    }
    return insertChequeFormat() ? SaveOutcome::Saved : SaveOutcome::Refused;
}

ChequeFormatModel::SaveOutcome ChequeFormatModel::saveEditedFormat(const QString& selectedCode) {
    if (const auto outcome = checkNameAndCode(); outcome != SaveOutcome::Saved) return outcome;
    return updateChequeFormat(selectedCode) ? SaveOutcome::Saved : SaveOutcome::Refused;
}

bool ChequeFormatModel::deleteChequeFormat(const QString& selectedCode) {
    const auto answer = m_context.dialogs->message(
        QStringLiteral("Are you sure you want to delete Bank's cheque details?"),
        QStringLiteral("Delete"), Dialogs::Icon::None, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes) return false;
    ChequeFormatStore::remove(*m_context.db, selectedCode);
    return true;
}

bool ChequeFormatModel::selectBank(const QString& entry) {
    const QString code = bankCodeOfEntry(entry);
    if (const auto format = ChequeFormatStore::findByCode(*m_context.db, code)) {
        loadChequeFormat(*format);
        return true;
    }
    m_context.dialogs->message(
        QStringLiteral("No record found for ") + code + QStringLiteral(" bank."),
        QStringLiteral("Found no record"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    resetChequeFormat();
    return false;
}

ChequeFormatModel::InchEntry ChequeFormatModel::readInchText(const QString& typed,
                                                             const QString& previous) {
    const auto number = parseInches(typed);
    if (!number) return {InchResult::NotANumber, previous, 0.0};
    if (*number < 0) return {InchResult::Negative, typed, *number};
    const QString text = units::formatTwoDecimals(*number);
    // A number the box cannot show in full would show as another number.
    if (text.size() > kInchTextLength) return {InchResult::NotANumber, previous, 0.0};
    return {InchResult::Accepted, text, text.toDouble()};
}

void ChequeFormatModel::showNegativeMessage() {
    m_context.dialogs->message(QStringLiteral("No negative value is allowed."),
                               QStringLiteral("Invalid value"), Dialogs::Icon::Exclamation,
                               Dialogs::Buttons::Ok);
}

ChequeFormatModel::InchEntry ChequeFormatModel::typeFieldInches(Axis axis, const QString& typed) {
    FieldLabel& label = m_labels[m_selectedField];
    float& target = axis == Axis::Left ? label.left : axis == Axis::Top ? label.top : label.width;
    const QString previous = units::twipsToInchText(target);
    const InchEntry entry = readInchText(typed, previous);
    if (entry.result == InchResult::Negative) showNegativeMessage();
    if (entry.result != InchResult::Accepted) return entry;
    // Positions are single precision: a number too large to keep to the
    // hundredth would be shown as one value and held as another.
    const auto twips = static_cast<float>(entry.value * units::kTwipsPerInch);
    if (units::twipsToInchText(twips) != entry.text) return {InchResult::NotANumber, previous, 0.0};
    target = twips;
    return entry;
}

ChequeFormatModel::InchEntry ChequeFormatModel::typeSize(QString& target, const QString& typed) {
    const InchEntry entry = readInchText(typed, target);
    if (entry.result == InchResult::Negative) showNegativeMessage();
    if (entry.result == InchResult::Accepted) target = entry.text;
    return entry;
}

ChequeFormatModel::InchEntry ChequeFormatModel::typeChequeWidth(const QString& typed) {
    return typeSize(m_chequeWidthText, typed);
}

ChequeFormatModel::InchEntry ChequeFormatModel::typeChequeHeight(const QString& typed) {
    return typeSize(m_chequeHeightText, typed);
}

void ChequeFormatModel::chooseFieldFont() {
    const FontSpec start = m_labels[m_selectedField].font;
    Dialogs::FontDialogOptions options;
    options.printerFontsOnly = true;
    options.minSize = 8;
    options.maxSize = 80;
    applyFieldFont(m_context.dialogs->chooseFont(start, options).value_or(start));
}

void ChequeFormatModel::applyFieldFont(const FontSpec& font) {
    const int field = m_selectedField;
    if (field >= FieldRecipient && field <= FieldWord2) {
        m_labels[field].font = font;
    } else {
        m_labels[FieldDate].font = font;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) m_labels[i].font = font;
    }
    emit changed();
    emit panelRefreshRequested(field);
}

QString ChequeFormatModel::cleanBankCode(const QString& text) {
    // Letter by letter with each letter's own capital, so the code never grows
    // past the box's limit (a whole-text upper case turns "ß" into "SS").
    QString code;
    code.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' ')) continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(c, text.at(i + 1)));
            code += QChar(QChar::highSurrogate(upper));
            code += QChar(QChar::lowSurrogate(upper));
            ++i;
            continue;
        }
        code += c.toUpper();
    }
    return code;
}

QString ChequeFormatModel::typeBankCode(const QString& typed) {
    m_bankCode = cleanBankCode(typed);
    return m_bankCode;
}
