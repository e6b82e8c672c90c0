#include "designer/DesignerMode.h"

DesignerControlStates designerControlStates(DesignerMode mode, bool formatsExist) {
    const QString add = QStringLiteral("&Add");
    const QString edit = QStringLiteral("&Edit");
    const QString cancel = QStringLiteral("&Cancel");
    switch (mode) {
        case DesignerMode::Adding:
            return {true, false, true, cancel, false, edit, false, formatsExist};
        case DesignerMode::Editing:
            return {true, false, false, add, true, cancel, true, formatsExist};
        case DesignerMode::Browse:
        default:
            return {false, true, true, add, formatsExist, edit, true, formatsExist};
    }
}
