#include "ui/UiErrors.h"

#include "store/DbError.h"
#include "platform/Dialogs.h"

void showDbError(Dialogs& dialogs, const DbError& error) {
    dialogs.message(QStringLiteral("The database reported an error (") +
                        QString::number(error.code()) + QStringLiteral("):\n") + error.message(),
                    QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
}
