#include "core/rules/session.h"

clsDbopt gDbopt;
clsNewGUID gNewGUID;
clsUser gUser;
clsSellRole gSellRole;
QString gShopNo;
QString gShopName;
