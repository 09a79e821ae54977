#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>

#include "listoutput/PrinterOutput.h"
#include "support/ProgramFixture.h"
#include "support/RecordingPrinter.h"
#include "ui/CommonDialog.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace listoutput_test {

// A list window as the export buttons see it: a list view and the save dialog.
class ListForm : public ui::FormOf<ListForm> {
  public:
    ui::ListView LViews{this, QStringLiteral("LViews")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};
};

// Columns from the headers; each row is the item text followed by its sub-items.
inline void fill(ui::ListView& lvw, const QStringList& headers,
                 std::initializer_list<QStringList> rows) {
    for (const QString& header : headers) {
        lvw.ColumnHeaders.Add(-1, QString(), header);
    }
    for (const QStringList& row : rows) {
        ui::ListItem& item = lvw.ListItems.Add(row.value(0));
        for (int j = 1; j < row.size(); ++j) {
            item.setSubItems(j, row[j]);
        }
    }
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// The job owns the printer it is handed and drops it when it ends; the test keeps the record by
// handing the job this stand-in, which passes every call on to a printer the test owns.
class ForwardingPrinter final : public print::Printer {
  public:
    explicit ForwardingPrinter(print::Printer& to) : to_(to) {}

    QString FontName() const override { return to_.FontName(); }
    void setFontName(const QString& name) override { to_.setFontName(name); }
    double FontSize() const override { return to_.FontSize(); }
    void setFontSize(double points) override { to_.setFontSize(points); }
    bool FontBold() const override { return to_.FontBold(); }
    void setFontBold(bool on) override { to_.setFontBold(on); }
    bool FontItalic() const override { return to_.FontItalic(); }
    void setFontItalic(bool on) override { to_.setFontItalic(on); }
    bool FontUnderline() const override { return to_.FontUnderline(); }
    void setFontUnderline(bool on) override { to_.setFontUnderline(on); }
    int Orientation() const override { return to_.Orientation(); }
    void setOrientation(int orientation) override { to_.setOrientation(orientation); }
    double CurrentX() const override { return to_.CurrentX(); }
    void setCurrentX(double x) override { to_.setCurrentX(x); }
    double CurrentY() const override { return to_.CurrentY(); }
    void setCurrentY(double y) override { to_.setCurrentY(y); }
    double ScaleWidth() const override { return to_.ScaleWidth(); }
    double ScaleHeight() const override { return to_.ScaleHeight(); }
    double TextWidth(const QString& text) const override { return to_.TextWidth(text); }
    double TextHeight(const QString& text) const override { return to_.TextHeight(text); }
    int Page() const override { return to_.Page(); }
    int DrawWidth() const override { return to_.DrawWidth(); }
    void setDrawWidth(int pixels) override { to_.setDrawWidth(pixels); }
    void Line(double x1, double y1, double x2, double y2, const QColor& colour) override {
        to_.Line(x1, y1, x2, y2, colour);
    }
    void Print(const QString& text, bool endLine) override { to_.Print(text, endLine); }
    void NewPage() override { to_.NewPage(); }
    void EndDoc() override { to_.EndDoc(); }
    void KillDoc() override { to_.KillDoc(); }

  private:
    print::Printer& to_;
};

// A program folder with a list window, and every printed list going to a recording printer.
class ListOutputTest : public ProgramTest {
  protected:
    ListOutputTest() { usePrinter(print::RecordingPrinter::Mode::WithPrinter); }
    ~ListOutputTest() override { listoutput::SetPrinterFactory({}); }

    ui::ListView& lvw() { return ListForm::instance().LViews; }
    QString path(const QString& name) const { return programDir() + QLatin1Char('/') + name; }

    // pdfPath, when given, is reported to the job as the file its pages went to.
    void usePrinter(print::RecordingPrinter::Mode mode, const QString& pdfPath = {}) {
        printer = std::make_unique<print::RecordingPrinter>(mode);
        listoutput::SetPrinterFactory([this, pdfPath](const QString& title) {
            titlesAsked.append(title);
            listoutput::PrintTarget target;
            target.printer = std::make_unique<ForwardingPrinter>(*printer);
            target.pdfPath = pdfPath;
            return target;
        });
    }

    // report.Log as lines; its records are four lines each.
    QStringList logLines() const {
        QStringList lines = QString::fromUtf8(readAll(userDir() + QStringLiteral("/report.Log")))
                                .split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        return lines;
    }

    std::unique_ptr<print::RecordingPrinter> printer;
    QStringList titlesAsked;
};

}  // namespace listoutput_test
