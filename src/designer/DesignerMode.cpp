#include "designer/DesignerMode.h"

DesignerControlStates designerControlStates(DesignerMode mode, bool editAvailable) {
    const QString add = QStringLiteral("&Add");
    const QString edit = QStringLiteral("&Edit");
    const QString cancel = QStringLiteral("&Cancel");
    switch (mode) {
        case DesignerMode::Adding:
            return {true, false, true, cancel, false, edit, false};
        case DesignerMode::Editing:
            return {true, false, false, add, true, cancel, true};
        case DesignerMode::Browse:
        default:
            return {false, true, true, add, editAvailable, edit, true};
    }
}
