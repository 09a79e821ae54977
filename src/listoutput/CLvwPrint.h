#pragma once

#include <QString>
#include <QtGlobal>

#include "frame/ErrorHandler.h"

namespace ui {
class ListView;
}

// What every Export button calls: set lvwToPrint, then ExportListView with job type 2 (an
// HTML file) or 3 (the printer). Returns 0 on success and 1 on failure, with the reason in
// LastErrorMsg.
class CLvwPrint {
  public:
    ui::ListView* lvwToPrint = nullptr;

    QString LastErrorMsg() const { return LastErrorMsg_; }
    void about() {}

    qint16 PrintListView(qint16 Orientation, const QString& FontName, const QString& title,
                         qint16 FontSize);
    // The third argument is accepted for the callers' sake and not read: a job's orientation
    // is always portrait here.
    qint16 ExportListView(qint32 jobType, const QString& fileName, qint32 orientation,
                          const QString& FontName, const QString& title, const QString& titleUser,
                          const QString& titleFrom, const QString& titleTo, qint16 FontSize);

  private:
    QString LastErrorMsg_;
    ErrorHandler errorHandler_;
};
