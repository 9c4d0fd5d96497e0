// The connection's statements that show the engine's words when they fail: the
// windows' own way to send a statement. The rules send theirs through Send.
#include "core/rules/clsdbopt.h"
#include "platform/base/services.h"

jet::RecordSet clsDbopt::Excute(const QString& SQL, bool& IsErr, int* RecordsAffected)
{
    core::Sent sent = Send(SQL);
    IsErr = sent.failed();
    if (RecordsAffected)
        *RecordsAffected = sent.RecordsAffected;
    if (IsErr)
        ui::msg().plain(sent.Error);
    return sent.Rows;
}

jet::RecordSet clsDbopt::Excute(const QString& SQL)
{
    bool isErr = false;
    return Excute(SQL, isErr);
}

void clsDbopt::ExcuteProc(core::Command& Cmd) { Excute(Cmd.CommandText); }
