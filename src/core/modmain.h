#pragma once
// The session shared by every window, and the helpers every window uses.

#include "core/clsdbopt.h"
#include "core/clsnewguid.h"
#include "core/clssellrole.h"
#include "core/clsuser.h"

#include <QString>

extern clsDbopt gDbopt;
extern clsNewGUID gNewGUID;
extern clsUser gUser;
extern clsSellRole gSellRole;
extern QString gShopNo;
extern QString gShopName;

// Start-up: creates the session, opens the database and shows the login window.
// False when the program should end at once.
bool Main();

// Doubles every single quote, for text put between quotes in SQL.
QString SqlQuote(const QString& text);
