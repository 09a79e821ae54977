// The bare Qt program that Kelvora's start-up is measured against (bench/startup-compare): what
// Kelvora's first window shows, made with Qt alone and nothing of the program. A main window of
// the size and state Kelvora's opens in, with its menus (all hidden but Help), an MDI area, and
// in it a frameless page filling the area: a coloured title band with a large and a small title
// and three links, and below it links in bold under notes that wrap, as the start page lays
// them out. It is reported as shown at the moment Kelvora reports its own.
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>
#include <cstdio>

#include "WhenPainted.h"

namespace {

// A label in the application font at `points` (0: its own size), bold when asked.
QLabel* text(const QString& caption, double points = 0, bool bold = false) {
    auto* label = new QLabel(caption);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    if (points > 0) {
        font.setPointSizeF(points);
    }
    font.setBold(bold);
    label->setFont(font);
    return label;
}

// Sets one colour of a widget's palette.
template <class W>
W* coloured(W* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    return widget;
}

QLabel* link(const QString& caption, const QColor& colour) {
    QLabel* label = coloured(text(caption, 0, true), QPalette::WindowText, colour);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(caption.toLower());
    return label;
}

QFrame* filled(const QColor& colour) {
    auto* frame = new QFrame;
    frame->setAutoFillBackground(true);
    return coloured(frame, QPalette::Window, colour);
}

// The page of links, of the start page's make and amount of text.
QWidget* page() {
    QFrame* band = coloured(filled(QColor(0, 96, 100)), QPalette::WindowText, Qt::white);
    auto* titles = new QVBoxLayout;
    titles->addWidget(text(QStringLiteral("Bare window"), 26, true));
    titles->addWidget(text(QStringLiteral("The first window of a program, and nothing else"), 11));
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(24, 12, 24, 12);
    bandLayout->addLayout(titles);
    bandLayout->addStretch(1);
    for (const char* caption : {"New Entry", "Settings", "About"}) {
        bandLayout->addSpacing(18);
        bandLayout->addWidget(link(QString::fromLatin1(caption), Qt::white), 0, Qt::AlignBottom);
    }

    QFrame* body = filled(Qt::white);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(48);
    grid->setVerticalSpacing(6);
    const char* const links[] = {"FIRST LINK OF THE PAGE",         "SECOND LINK OF THE PAGE",
                                 "THIRD LINK, A LONGER ONE (ABC)", "FOURTH LINK OF THE PAGE",
                                 "FIFTH LINK OF THE PAGE",         "SIXTH LINK, WITH MORE WORDS",
                                 "SEVENTH LINK OF THE PAGE",       "EIGHTH LINK"};
    for (int i = 0; i < 8; ++i) {
        const int row = (i / 2) * 2;
        grid->addWidget(link(QString::fromLatin1(links[i]), Qt::darkBlue), row, i % 2);
        QLabel* note = text(
            QStringLiteral("What the window behind link %1 holds, in a few words.").arg(i + 1));
        note->setWordWrap(true);
        grid->addWidget(note, row + 1, i % 2, Qt::AlignTop);
        grid->setRowMinimumHeight(row + 1, 44);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto* footer = new QHBoxLayout;
    for (const char* caption : {"A bare window for your desk:", "More"}) {
        auto* box = new QLineEdit(QString::fromLatin1(caption));
        box->setReadOnly(true);
        box->setFrame(false);
        box->setFixedWidth(180);
        box->setCursorPosition(0);
        footer->addWidget(box);
    }
    footer->addStretch(1);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(36, 30, 36, 24);
    bodyLayout->addLayout(grid);
    bodyLayout->addStretch(1);
    bodyLayout->addLayout(footer);

    auto* whole = new QWidget;
    auto* layout = new QVBoxLayout(whole);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addWidget(body, 1);
    return whole;
}

// The MDI area, whose one child is made to fill it whenever it is resized.
class Area : public QMdiArea {
  protected:
    void resizeEvent(QResizeEvent* event) override {
        QMdiArea::resizeEvent(event);
        for (QMdiSubWindow* sub : subWindowList()) {
            sub->setGeometry(viewport()->rect());
        }
    }
};

// A menu of the bar with items; the hidden ones are there, as in Kelvora, only never shown.
void addMenu(QMenuBar& bar, const QString& title, const QStringList& items, bool shown) {
    QMenu* menu = bar.addMenu(title);
    for (const QString& item : items) {
        menu->addAction(item);
    }
    menu->menuAction()->setVisible(shown);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    QMenuBar& bar = *window.menuBar();
    addMenu(bar, QStringLiteral("HiddenMenu"), {}, false);
    addMenu(bar, QStringLiteral("HiddenMenu1"), {QStringLiteral("&RDA")}, false);
    for (const QString& title : {QStringLiteral("Mymenu"), QStringLiteral("PicMenu")}) {
        addMenu(bar, title, {QStringLiteral("&Background Colour"), QStringLiteral("&Font Colour")},
                false);
    }
    addMenu(bar, QStringLiteral("&Help"), {QStringLiteral("&About")}, true);
    auto* area = new Area;
    window.setCentralWidget(area);
    QMdiSubWindow* sub = area->addSubWindow(page(), Qt::FramelessWindowHint);
    sub->show();
    // frmMain's own rule: 13500 by 9750 twips at 15 twips a pixel, then maximised.
    window.resize(900, 650);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    // As Kelvora, it stays until closed unless asked to end once shown, so that it can be seen.
    if (qEnvironmentVariableIsSet("KELVORA_QUIT_WHEN_SHOWN")) {
        kelvora::whenPainted(window, [] {
            std::fputs("bare: main window shown\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    return QApplication::exec();
}
