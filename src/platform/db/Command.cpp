#include "db/Command.h"

#include "db/SqliteSupport.h"
#include "runtime/Error.h"

namespace db {

Recordset Command::Execute(const Params& params) {
    if (!ActiveConnection || !ActiveConnection->IsOpen()) {
        rt::raise(rt::err::ConnectionUnusable, detail::errorSource());
    }
    if (CommandType != CmdText) {
        throw rt::Error(rt::err::BadArguments,
                        QStringLiteral("Arguments are of the wrong type, are out of acceptable "
                                       "range, or are in conflict with one another: only text "
                                       "commands are supported."),
                        detail::errorSource());
    }
    Recordset result;
    result.Open(CommandText, *ActiveConnection, params);
    return result;
}

}  // namespace db
