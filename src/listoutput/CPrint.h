#pragma once

#include <QString>
#include <QtGlobal>

namespace ui {
class ListView;
}

// One output job of a list view: an HTML file or a printed table. The facade fills a job and
// runs PrintLvw once.
class CPrint {
  public:
    virtual ~CPrint() = default;

    virtual ui::ListView* lvwToPrint() const = 0;
    virtual void setLvwToPrint(ui::ListView* lvw) = 0;
    virtual void setTitleUser(const QString& text) = 0;
    virtual void setTitleFrom(const QString& text) = 0;
    virtual void setTitleTo(const QString& text) = 0;
    virtual QString LastErrorMsg() const = 0;
    virtual void setFileName(const QString& fileName) = 0;
    virtual void setFontSize(qint16 points) = 0;
    virtual void setTitle(const QString& title) = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual void setOrientation(qint16 orientation) = 0;
    // Produces the output; false on failure, with the reason in LastErrorMsg.
    virtual bool PrintLvw() = 0;
};
