#include "listoutput/CLvwPrint.h"

#include <memory>

#include "listoutput/CHtml.h"
#include "listoutput/CPrinter.h"
#include "runtime/Error.h"

qint16 CLvwPrint::ExportListView(qint32 jobType, const QString& fileName, qint32 /*orientation*/,
                                 const QString& FontName, const QString& title,
                                 const QString& titleUser, const QString& titleFrom,
                                 const QString& titleTo, qint16 FontSize) {
    try {
        if (lvwToPrint == nullptr) {
            LastErrorMsg_ = QStringLiteral("List View Not Defined");
            return 1;
        }
        std::unique_ptr<CPrint> job;
        if (jobType == 2) {
            job = std::make_unique<CHtml>();
        } else if (jobType == 3) {
            job = std::make_unique<CPrinter>();
        } else {
            LastErrorMsg_ = QStringLiteral("Incorrect type of print job was specified.");
            return 1;
        }
        job->setLvwToPrint(lvwToPrint);
        job->setOrientation(1);
        job->setTitle(title);
        job->setTitleUser(titleUser);
        job->setTitleFrom(titleFrom);
        job->setTitleTo(titleTo);
        job->setFileName(fileName);
        job->setFontName(FontName);
        job->setFontSize(FontSize);
        if (!job->PrintLvw()) {
            LastErrorMsg_ = job->LastErrorMsg();
            return 1;
        }
        return 0;
    } catch (const rt::Error& error) {
        QString source = QStringLiteral("CLvwPrint::ExportListView");
        QString extra;
        errorHandler_.handleError(error, source, extra);
        LastErrorMsg_ = error.Description();
        return 1;
    }
}

qint16 CLvwPrint::PrintListView(qint16 Orientation, const QString& FontName, const QString& title,
                                qint16 FontSize) {
    try {
        if (lvwToPrint == nullptr) {
            LastErrorMsg_ = QStringLiteral("List View Undefined");
            return 1;
        }
        CPrinter job;
        job.setOrientation(Orientation);
        job.setFontName(FontName);
        job.setFontSize(FontSize);
        job.setTitle(title);
        job.setLvwToPrint(lvwToPrint);
        if (!job.PrintLvw()) {
            LastErrorMsg_ = job.LastErrorMsg();
            return 1;
        }
        return 0;
    } catch (const rt::Error& error) {
        QString source = QStringLiteral("CLvwPrint::PrintLvw");
        QString extra;
        errorHandler_.handleError(error, source, extra);
        LastErrorMsg_ = error.Description();
        return 1;
    }
}
