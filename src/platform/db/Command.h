#pragma once

#include <QString>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/Variant.h"

namespace db {

// A statement with its connection; Execute gives a recordset holding the complete result.
class Command {
  public:
    enum CommandTypeEnum { CmdText = 1 };

    Connection* ActiveConnection = nullptr;
    QString CommandText;
    int CommandType = CmdText;

    // A statement without rows is run and gives a closed recordset.
    Recordset Execute(const Params& params = {});
};

}  // namespace db
