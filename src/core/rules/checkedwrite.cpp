#include "core/rules/checkedwrite.h"

#include "core/rules/session.h"

namespace core {

Outcome SendOne(const QString& statement, WriteResult refusal)
{
    const Sent sent = gDbopt.Send(statement);
    if (sent.failed())
        return {WriteResult::Failed, sent.Error};
    return {sent.RecordsAffected == 1 ? WriteResult::Written : refusal, {}};
}

Outcome Transacted(const std::function<Outcome()>& write)
{
    QString error;
    Transaction t(gDbopt, error);
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

}  // namespace core
