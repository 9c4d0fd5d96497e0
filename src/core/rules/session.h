#pragma once
// The session shared by the whole program: the one connection, the key maker,
// the logged-in user, the shop's rules and the shop.

#include "core/rules/clsdbopt.h"
#include "core/rules/clsnewguid.h"
#include "core/rules/clssellrole.h"
#include "core/rules/clsuser.h"

#include <QString>

extern clsDbopt gDbopt;
extern clsNewGUID gNewGUID;
extern clsUser gUser;
extern clsSellRole gSellRole;
extern QString gShopNo;
extern QString gShopName;
