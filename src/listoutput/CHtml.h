#pragma once

#include "frame/ErrorHandler.h"
#include "listoutput/CPrint.h"

class CHtmlPage;

// Writes a list view as an HTML page: the title as heading, two paragraphs of title lines and
// a bordered table of the columns and items.
class CHtml : public CPrint {
  public:
    ui::ListView* lvwToPrint() const override { return lvwToPrint_; }
    void setLvwToPrint(ui::ListView* lvw) override { lvwToPrint_ = lvw; }
    void setTitleUser(const QString& text) override { titleUser_ = text; }
    void setTitleFrom(const QString& text) override { titleFrom_ = text; }
    void setTitleTo(const QString& text) override { titleTo_ = text; }
    QString LastErrorMsg() const override { return LastErrorMsg_; }
    void setFileName(const QString& fileName) override { fileName_ = fileName; }
    void setFontSize(qint16) override {}
    void setTitle(const QString& title) override { title_ = title; }
    void setFontName(const QString&) override {}
    void setOrientation(qint16 orientation) override { Orientation_ = orientation; }
    bool PrintLvw() override;

  private:
    // The page's text as it is written to the file: ASCII, lines ended by CR LF.
    void Render(CHtmlPage& out) const;

    qint16 Orientation_ = 0;
    QString title_;
    QString titleUser_;
    QString titleFrom_;
    QString titleTo_;
    ui::ListView* lvwToPrint_ = nullptr;
    QString fileName_;
    QString LastErrorMsg_;
    ErrorHandler errorHandler_;
};
