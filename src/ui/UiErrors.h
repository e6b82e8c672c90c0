#pragma once

#include <QString>

class Dialogs;
class DbError;

// Shows a database failure met by an event handler; the window keeps running.
void showDbError(Dialogs& dialogs, const DbError& error);
