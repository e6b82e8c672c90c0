#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/ChequeFormat.h"
#include "core/FieldLabelSet.h"

struct AppContext;

// The designer's working copy of one cheque format: what its boxes, lists and
// field labels hold, and the store operations that copy it from and to the
// BankCheque table. Messages go through context.dialogs; database failures are
// DbError exceptions for the window to show (the working copy is kept).
class ChequeFormatModel : public QObject {
    Q_OBJECT

public:
    enum class InchResult { Accepted, Negative, NotANumber };
    // What a typed inch box does when it loses the focus.
    struct InchEntry {
        InchResult result = InchResult::NotANumber;
        QString text;        // the text the box shows afterwards (Negative: as typed)
        double value = 0.0;  // the number, rounded to hundredths, when accepted
    };
    enum class Axis { Left, Top, Width };
    enum class SaveOutcome { Saved, EmptyName, EmptyCode, DuplicateCode, Refused };
    // Characters an inch box holds; a number written longer is not taken.
    static constexpr int kInchTextLength = 10;

    explicit ChequeFormatModel(AppContext& context, QObject* parent = nullptr);

    // --- the working copy ---
    const QString& bankName() const { return m_bankName; }
    void setBankName(const QString& text) { m_bankName = text; }
    const QString& bankCode() const { return m_bankCode; }
    void setBankCode(const QString& text) { m_bankCode = text; }
    const QString& chequeWidthText() const { return m_chequeWidthText; }
    void setChequeWidthText(const QString& text) { m_chequeWidthText = text; }
    const QString& chequeHeightText() const { return m_chequeHeightText; }
    void setChequeHeightText(const QString& text) { m_chequeHeightText = text; }
    const QString& languageName() const { return m_languageName; }
    void setLanguageName(const QString& name) { m_languageName = name; }
    const QString& printerName() const { return m_printerName; }
    void setPrinterName(const QString& name) { m_printerName = name; }
    int orientationCode() const { return m_orientationCode; }
    void setOrientationCode(int code) { m_orientationCode = code; }
    double chequeTop() const { return m_chequeTop; }
    void setChequeTop(double twips) { m_chequeTop = twips; }
    double chequeLeft() const { return m_chequeLeft; }
    void setChequeLeft(double twips) { m_chequeLeft = twips; }

    // Selected index of the date-style list (-1 before it is first set). A new
    // index runs the date-style change.
    int dateType() const { return m_dateType; }
    void setDateType(int index);

    FieldLabelSet& labels() { return m_labels; }
    const FieldLabelSet& labels() const { return m_labels; }
    int selectedField() const { return m_selectedField; }
    void setSelectedField(int field) { m_selectedField = field; }

    // Entries of the language list: every LanguageName in table order.
    const QStringList& languageNames() const { return m_languageNames; }
    void loadLanguages();
    // Entries of the printer list: "[Default]" then every installed printer.
    QStringList printerChoices() const;

    static QStringList dateTypeNames();
    static QString designCaption(int field);
    // The bank code of a bank-list entry: its text up to the first blank.
    static QString bankCodeOfEntry(const QString& entry);

    // --- store operations ---
    void loadChequeFormat(const ChequeFormat& format);
    void resetChequeFormat();
    // Stores the working copy as a new row and returns its ID; nothing when the
    // save was refused (a size box that is not a number).
    std::optional<qint64> insertChequeFormat();
    // Writes the working copy over the row with `selectedCode`; false when refused.
    bool updateChequeFormat(const QString& selectedCode);
    // Save while adding: refuses an empty name or code and a stored code, each
    // with its message, then inserts.
    SaveOutcome saveNewFormat();
    // Save while editing: refuses an empty name or code, then updates the row
    // with `selectedCode`.
    SaveOutcome saveEditedFormat(const QString& selectedCode);
    // Asks first; true when the row was deleted.
    bool deleteChequeFormat(const QString& selectedCode);
    // The bank selection: loads the format of a bank-list entry, or shows
    // "Found no record" and the defaults. True when a format was loaded.
    bool selectBank(const QString& entry);

    // The record the working copy would be saved as, with `languageId`.
    // Nothing when a size box does not hold a number.
    std::optional<ChequeFormat> toRecord(int languageId) const;
    // The date-style change: which labels show, the selected field and the year
    // digits laid out after the month.
    void changeDateStyle(int index);

    // --- typed values, applied when a box loses the focus ---
    // Reads an inch text: a decimal number with a point, blanks around it ignored.
    static std::optional<double> parseInches(const QString& text);
    // The rules of a typed inch box without side effects.
    static InchEntry readInchText(const QString& typed, const QString& previous);
    // Left, Top or Width of the selected field. Negative shows "No negative
    // value is allowed." and changes nothing; a text that is not a number gets
    // back the field's current value.
    InchEntry typeFieldInches(Axis axis, const QString& typed);
    InchEntry typeChequeWidth(const QString& typed);
    InchEntry typeChequeHeight(const QString& typed);
    // The font dialog for the selected field, starting from its font: the result
    // (or, when cancelled, the starting font) goes to that field, or for any
    // date field to the date label and all eight digit boxes.
    void chooseFieldFont();
    void applyFieldFont(const FontSpec& font);

    // Blanks removed, each letter upper case (never longer than the text); the
    // result is the bank code.
    static QString cleanBankCode(const QString& text);
    QString typeBankCode(const QString& typed);

signals:
    // The working copy changed as a whole (load, reset, date style): show it again.
    void changed();
    // The properties panel should show `field`.
    void panelRefreshRequested(int field);
    // The date style moved the selection; the handles go around the selected field.
    void dateStyleChanged(int selectedField);

private:
    int languageIdForSave(const QString& missingText);
    bool checkSizeTexts();
    SaveOutcome checkNameAndCode();
    InchEntry typeSize(QString& target, const QString& typed);
    void showNegativeMessage();

    AppContext& m_context;
    QString m_bankName;
    QString m_bankCode;
    QString m_chequeWidthText = QStringLiteral("0.00");
    QString m_chequeHeightText = QStringLiteral("0.00");
    QString m_languageName;
    QString m_printerName;
    int m_orientationCode = 1;
    double m_chequeTop = 0.0;
    double m_chequeLeft = 0.0;
    int m_dateType = -1;
    FieldLabelSet m_labels;
    int m_selectedField = 0;
    QStringList m_languageNames;
};
