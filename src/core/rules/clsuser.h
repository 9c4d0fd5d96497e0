#pragma once

#include "core/rules/clsrole.h"

#include <QString>
#include <memory>

// The logged-in user with the permissions of the user's role.
class clsUser {
public:
    QString No;
    QString Name;
    QString PassWord;
    std::shared_ptr<clsRole> Role;  // none until the first successful Initial
    QString LoginTime;

    // Loads the user with the typed number; True when found.
    bool Initial(const QString& pNo);
};
