#pragma once

#include <QString>

#include <array>

#include "core/FontSpec.h"
#include "core/FieldLabelSet.h"

// Left, top and width of one field, in twips from the cheque's top-left corner.
struct FieldGeometry {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;

    bool operator==(const FieldGeometry&) const = default;
};

// One BankCheque row: ID and its 67 columns. Lengths are twips, font sizes points.
struct ChequeFormat {
    qint64 id = 0;
    QString bankName;
    QString bankCode;
    int amountLanguage = 1;                        // LanguageMain.ID
    QString printerName = QStringLiteral("[Default]");
    QString orientation = QStringLiteral("L");     // "L" or "P" as stored
    double chequeWidth = 0.0;
    double chequeHeight = 0.0;
    double chequeTop = 0.0;
    double chequeLeft = 0.0;
    int dateType = 0;                              // 0 normal, 1 ddmmyy, 2 ddmmyyyy
    std::array<FieldGeometry, kFieldCount> fields; // indexed by FieldIndex
    std::array<FontSpec, 5> fonts;                 // fields 0 to 4
    FontSpec sdateFont;                            // shared by the digit boxes 5 to 12

    bool operator==(const ChequeFormat&) const = default;

    // "L" gives code 1 (portrait page); anything else code 2 (landscape page).
    int orientationCode() const { return orientation == QStringLiteral("L") ? 1 : 2; }
    // Code 2 is saved "P", every other code "L".
    static QString orientationText(int code) {
        return code == 2 ? QStringLiteral("P") : QStringLiteral("L");
    }
    // Left, top and width of field `index` in a new format.
    static FieldGeometry defaultGeometry(int index) {
        static constexpr FieldGeometry kDefaults[kFieldCount] = {
            {6360, 360, 1575}, {600, 1440, 4695}, {6240, 1800, 1695}, {720, 1920, 5295},
            {240, 2400, 5655}, {6360, 360, 255},  {6600, 360, 305},   {6935, 360, 305},
            {7240, 360, 305},  {7545, 360, 305},  {7850, 360, 305},   {8155, 360, 305},
            {8460, 360, 305}};
        return index >= 0 && index < kFieldCount ? kDefaults[index] : FieldGeometry{};
    }
    // The font of field `index` as printed: its own for 0 to 4, the shared one for 5 to 12.
    const FontSpec& fontOf(int index) const {
        return index < 5 ? fonts.at(static_cast<size_t>(index)) : sdateFont;
    }
};
