#include "core/rules/checkedwrite.h"

#include "core/rules/session.h"

namespace core {

WriteResult SendChecked(const QString& statement, WriteResult refusal)
{
    bool isErr = false;
    int changed = 0;
    gDbopt.Excute(statement, isErr, &changed);
    if (isErr)
        return WriteResult::Failed;
    return changed == 1 ? WriteResult::Written : refusal;
}

Outcome Transacted(const std::function<Outcome()>& write)
{
    QString error;
    Transaction t(gDbopt, &error);
    if (!t)
        return {WriteResult::Failed, error};
    try {
        const Outcome done = write();
        if (!done.written())
            return done;
        if (!t.commit())
            return {WriteResult::Failed, error};
        return done;
    } catch (const jet::Error& e) {
        return {WriteResult::Failed, e.text()};
    }
}

Outcome WriteAll(const QStringList& statements)
{
    return Transacted([&statements]() -> Outcome {
        for (const QString& statement : statements) {
            const Sent sent = gDbopt.Send(statement);
            if (sent.failed())
                return {WriteResult::Failed, sent.Error};
        }
        return {};
    });
}

WriteResult TransactChecked(const std::function<WriteResult()>& write)
{
    WriteResult result = WriteResult::Failed;
    if (gDbopt.Transact([&] { return (result = write()) == WriteResult::Written; }))
        return WriteResult::Written;
    return result == WriteResult::Written ? WriteResult::Failed : result;
}

}  // namespace core
