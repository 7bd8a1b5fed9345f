#include "ui/shell/app/app_tables.h"

#include "core/tables/app_data.h"
#include "link/server_message_dispatcher.h"

#include <QtGlobal>

namespace {

class CDispatchLockScope {
public:
    CDispatchLockScope() : locked_(LockDispatch(kTableLockWaitMs)) {}
    ~CDispatchLockScope()
    {
        if (locked_)
            UnlockDispatch();
    }
    CDispatchLockScope(const CDispatchLockScope&) = delete;
    CDispatchLockScope& operator=(const CDispatchLockScope&) = delete;
    bool Locked() const { return locked_; }

private:
    bool locked_;
};

} // namespace

bool EmptyAppTables(CAppData& app)
{
    CDispatchLockScope lock;
    if (!lock.Locked()) {
        qWarning("tables not emptied: the dispatch lock stayed taken");
        return false;
    }
    app.locations.Clear();
    app.accounts.Clear();
    app.nes.ClearNeTable();
    app.MarkNeListChanged();
    app.MarkLocationTreeChanged();
    return true;
}

bool EmptyNeTable(CAppData& app)
{
    CDispatchLockScope lock;
    if (!lock.Locked()) {
        qWarning("NE table not emptied: the dispatch lock stayed taken");
        return false;
    }
    app.nes.ClearNeTable();
    app.MarkNeListChanged();
    return true;
}
