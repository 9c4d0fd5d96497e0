#include "core/checkedwrite.h"

#include "core/modmain.h"

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

WriteResult TransactChecked(const std::function<WriteResult()>& write)
{
    WriteResult result = WriteResult::Failed;
    if (gDbopt.Transact([&] { return (result = write()) == WriteResult::Written; }))
        return WriteResult::Written;
    return result == WriteResult::Written ? WriteResult::Failed : result;
}

}  // namespace core
