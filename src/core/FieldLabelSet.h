#pragma once

#include <QString>

#include <array>

#include "core/FontSpec.h"

// The 13 printed fields, numbered the same in every window that shows a format.
enum FieldIndex : int {
    FieldDate = 0,
    FieldRecipient = 1,
    FieldAmount = 2,
    FieldWord1 = 3,
    FieldWord2 = 4,
    FieldSDateD1 = 5,
    FieldSDateD2 = 6,
    FieldSDateM1 = 7,
    FieldSDateM2 = 8,
    FieldSDateY1 = 9,
    FieldSDateY2 = 10,
    FieldSDateY3 = 11,
    FieldSDateY4 = 12,
};

constexpr int kFieldCount = 13;

// One printed field: position and width in twips (single precision), the text,
// its font, whether it is shown, and how a window aligns it in its box.
struct FieldLabel {
    enum class Alignment { Left, Center };

    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    QString caption;
    FontSpec font;
    bool visible = true;
    Alignment alignment = Alignment::Center;
};

// A window's set of the 13 field labels.
class FieldLabelSet {
public:
    FieldLabel& operator[](int index) { return m_labels.at(static_cast<size_t>(index)); }
    const FieldLabel& operator[](int index) const { return m_labels.at(static_cast<size_t>(index)); }

    auto begin() { return m_labels.begin(); }
    auto end() { return m_labels.end(); }
    auto begin() const { return m_labels.begin(); }
    auto end() const { return m_labels.end(); }

    // The column stem of field `index` ("Date", "Recipient", ..., "SDateY4").
    static QString stem(int index);

private:
    std::array<FieldLabel, kFieldCount> m_labels;
};
