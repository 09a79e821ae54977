#include "frame/core.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "db/Recordset.h"
#include "frame/DataFile.h"
#include "frame/DataIndexes.h"
#include "frame/ErrorHandler.h"
#include "frame/frmMain.h"
#include "frame/frmSpl.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "runtime/Settings.h"
#include "ui/CommonDialog.h"
#include "ui/Constants.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"
#include "ui/ListView.h"

namespace core {
namespace {

const QString kSection = QStringLiteral("Options");

const QString kRepairQuestion = QStringLiteral(
    "Some result may be different  because Kelvora registry has been corrupted or changed, Do "
    "you want to repair it ?");
const QString kRepairQuestionCategory = QStringLiteral(
    "some result may be different  because Kelvora registry has been corrupted or changed, Do "
    "you want to repair it ?");
const QString kMissingFileQuestion = QStringLiteral(
    "Some files are missing or are not in correct format. Please contact your nearest product "
    "vendor.  Application is going to terminate now.    or  Do you want to select your file "
    "yourself ?");

// Lets the user pick another data file after the default one could not be opened. The main
// window may not be up, so the picker is a dialog of its own rather than the main window's.
void PickDataFile() {
    ui::CommonDialog cdlg(nullptr, QStringLiteral("cdlg"));
    ShowDataFileDialog(cdlg);
    PickedConnStr = cdlg.FileName;
    SaveOption(QStringLiteral("Defter"), QStringLiteral("-"));
}

// Set once the person has been told that the preferences cannot be stored, so that every
// later attempt goes on quietly.
bool storeFailureTold = false;

// A settings file that cannot be read is set aside; the program starts on the defaults.
void SetAsideUnreadablePreferences() {
    const std::optional<rt::UnreadableSettings> unreadable =
        rt::SetAsideUnreadableSettings(rt::App::Title());
    if (!unreadable) {
        return;
    }
    QString message = QStringLiteral("The preferences file ") + unreadable->file +
                      QStringLiteral(" could not be read.");
    if (!unreadable->keptAs.isEmpty()) {
        message += QStringLiteral(" It is kept as ") + unreadable->keptAs +
                   QStringLiteral(" and Kelvora starts with the default preferences.");
    } else if (unreadable->noPermission) {
        // Nor can it be written: this message says so once for the whole run.
        storeFailureTold = true;
        message += QStringLiteral(
            " Kelvora starts with the default preferences, and preferences changed now are "
            "lost when it ends.");
    } else {
        message += QStringLiteral(" Kelvora uses what it could read of it.");
    }
    ui::MsgBox(message, ui::vbOKOnly | ui::vbInformation, rt::App::Title());
}

QString DamagedFileQuestion(const QString& file) {
    return QStringLiteral("The data file ") + file +
           QStringLiteral(
               " is damaged, so Kelvora cannot use it. Nothing has been written to "
               "it.\n\nDo you want to select another data file?");
}

QString FileInUseMessage(const QString& file) {
    return QStringLiteral("The data file ") + file +
           QStringLiteral(
               " is in use by another program. Close that program and choose Retry, "
               "or choose Cancel to end Kelvora.");
}

// An error that start-up cannot handle is kept in the log, so that the vendor can see why.
void LogStartupError(const rt::Error& error) {
    ErrorHandler handler;
    QString source = QStringLiteral("core::Main");
    QString extra;
    handler.handleError(error, source, extra);
}

void TellAlreadyRunning() {
    ui::MsgBox(QStringLiteral("Kelvora is already running"), ui::vbInformation | ui::vbOKOnly,
               QStringLiteral("Kelvora"));
}

// The person's own file is damaged and they chose the delivered template: the damaged file is
// kept aside under a name that says so, and a fresh copy of the template takes its place. When
// that cannot be done, the person hears why and the damaged file stays where it was.
void StartAfresh() {
    const QString own = frame::UserDataFile();
    try {
        const QString kept = frame::SetAsideDamaged(own);
        frame::CopyTemplateTo(own);
        PickedConnStr = own;
        ui::MsgBox(QStringLiteral("The damaged data file has been kept as ") + kept +
                       QStringLiteral(". Kelvora now works in ") + own +
                       QStringLiteral(", a fresh copy of the delivered data."),
                   ui::vbOKOnly | ui::vbInformation, rt::App::Title());
    } catch (const rt::Error& error) {
        LogStartupError(error);
        ui::MsgBox(error.Description(), ui::vbOKOnly | ui::vbExclamation, rt::App::Title());
    }
}

// The data file is damaged: it is named, and the person may pick another (the template stands
// for a fresh start) or end the program. Nothing is ever written to the damaged file.
void AskAboutDamagedFile(const rt::Error& error) {
    LogStartupError(error);
    if (ui::MsgBox(DamagedFileQuestion(DataPath), ui::vbYesNo | ui::vbCritical, rt::App::Title()) ==
        ui::vbNo) {
        rt::App::End();
    }
    PickDataFile();
    if (frame::IsDeliveredDataFile(*PickedConnStr) && !DataPath.isEmpty() &&
        frame::IsUserDataFile(DataPath)) {
        StartAfresh();
    }
}

// The verdict on the data file that start-up opened. The program goes on with a sound file,
// which gains the indexes it lacks; a damaged one is told as at the opening, and a run that
// the person takes on to another file ends here and starts again on it.
void DataFileChecked(const std::optional<rt::Error>& failure) {
    if (!failure) {
        // Without them the file still answers rightly, only slowly: a file that cannot take
        // them now (written to by another program, or read-only) is used as it is.
        frame::passOver(QStringLiteral("frame::AddMissingIndexes"),
                        [] { frame::AddMissingIndexes(cn); });
        return;
    }
    if (failure->Number() != rt::err::DataFileDamaged) {
        LogStartupError(*failure);
        return;
    }
    AskAboutDamagedFile(*failure);
    StartAgain = true;
    ui::endProgram();
}

}  // namespace

QString GetOption(const QString& key, const QString& defaultValue) {
    return rt::GetSetting(rt::App::Title(), kSection, key, defaultValue);
}

void SaveOption(const QString& key, const QString& value) {
    // A value that is stored already is not written again: every start writes the data path
    // back, and a store that cannot be written must not stand in the way of that.
    const std::optional<QVariant> stored = rt::ReadSettingValue(kSection, key);
    if (stored && stored->toString() == value) {
        return;
    }
    try {
        rt::SaveSetting(rt::App::Title(), kSection, key, value);
    } catch (const rt::Error& error) {
        if (error.Number() != rt::err::PermissionDenied) {
            throw;
        }
        // The program works on without its preferences; the person hears of it once.
        if (!storeFailureTold) {
            storeFailureTold = true;
            ui::MsgBox(QStringLiteral("The preferences cannot be stored (") + error.Description() +
                           QStringLiteral("). Kelvora goes on, but preferences changed now are "
                                          "lost when it ends."),
                       ui::vbOKOnly | ui::vbExclamation, rt::App::Title());
        }
    }
}

bool OpenDocument(const QString& fileOrUrl) {
    if (ui::host().OpenWithDesktop(fileOrUrl)) {
        return true;
    }
    ui::MsgBox(QStringLiteral("There is no program on this computer that can open ") + fileOrUrl +
                   QStringLiteral("."),
               ui::vbOKOnly | ui::vbExclamation, rt::App::Title());
    return false;
}

void FillList(ui::ComboBox& combo, bool isDefault, const QString& key, const QString& defaultValue,
              const QString& sql, const QString& field) {
    if (!isDefault) {
        combo.Clear();
        combo.AddItem(GetOption(key, defaultValue), 0);
        combo.setListIndex(0);
    }
    db::Recordset rs;
    rs.Open(sql, cn, {combo.Text()});
    while (!rs.EOF()) {
        combo.AddItem(rs[field].toString());
        rs.MoveNext();
    }
}

void ListCategories(ui::ComboBox& combo, bool isDefault) {
    const auto fill = [&] {
        FillList(combo, isDefault, QStringLiteral("ctb"), QStringLiteral("ALL FOODS"),
                 QStringLiteral("Select cat.cname from cat where cname <> ? order by cname ASC"),
                 QStringLiteral("cname"));
    };
    frame::readOrTell(combo.Parent(), QStringLiteral("The list of food categories"),
                      QStringLiteral("core::ListCategories"), fill);
}

void ListLanguages(ui::ComboBox& combo, bool isDefault) {
    const auto fill = [&] {
        FillList(combo, isDefault, QStringLiteral("language"), QStringLiteral("ENGLISH"),
                 QStringLiteral("Select * from langcat where langname <> ? order by langname ASC"),
                 QStringLiteral("langname"));
    };
    frame::readOrTell(combo.Parent(), QStringLiteral("The list of languages"),
                      QStringLiteral("core::ListLanguages"), fill);
}

namespace {

// A member with what its entry in a member list needs: how many members bear its name, and how
// many of those its prefix as well.
const QString kMemberColumns = QStringLiteral(
    "SELECT userid, Prefix, FirstN, "
    "(SELECT COUNT(*) FROM usr AS o WHERE o.FirstN = usr.FirstN) AS bearers, "
    "(SELECT COUNT(*) FROM usr AS o WHERE o.FirstN = usr.FirstN AND o.Prefix IS usr.Prefix) "
    "AS twins FROM usr ");

void AddMemberEntry(ui::ComboBox& combo, const db::Recordset& rs, int index = -1) {
    const qint32 userid = rs[QStringLiteral("userid")].toLong();
    QString text = rs[QStringLiteral("FirstN")].text();
    if (rs[QStringLiteral("bearers")].toLong() > 1) {
        QStringList apart;
        const QString prefix = rs[QStringLiteral("Prefix")].text().trimmed();
        if (!prefix.isEmpty()) {
            apart << prefix;
        }
        if (prefix.isEmpty() || rs[QStringLiteral("twins")].toLong() > 1) {
            apart << QStringLiteral("no. ") + QString::number(userid);
        }
        text += QStringLiteral(" (") + apart.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    combo.AddItem(text, index);
    combo.setItemData(combo.NewIndex(), userid);
}

}  // namespace

int ListMembers(ui::ComboBox& combo, bool isDefault, bool oneEntryPerName) {
    const QString noMember = QStringLiteral("-");
    if (!isDefault) {
        combo.Clear();
        // A stored name that no member bears still stands first, standing for no member.
        const qint32 defaultId = DefaultMember();
        db::Recordset rs;
        if (defaultId != 0) {
            rs.Open(kMemberColumns + QStringLiteral("WHERE userid = ?"), cn, {defaultId});
        }
        if (defaultId != 0 && !rs.EOF()) {
            AddMemberEntry(combo, rs, 0);
        } else {
            combo.AddItem(GetOption(QStringLiteral("Defter"), noMember), 0);
        }
        combo.setListIndex(0);
    }
    QString sql = kMemberColumns + QStringLiteral("WHERE userid <> ? ");
    if (oneEntryPerName) {
        sql += QStringLiteral(
            "AND userid = (SELECT MIN(o.userid) FROM usr AS o WHERE o.FirstN = usr.FirstN) ");
    }
    db::Recordset rs;
    rs.Open(sql + QStringLiteral("ORDER BY FirstN ASC, userid ASC"), cn, {MemberId(combo)});
    while (!rs.EOF()) {
        AddMemberEntry(combo, rs);
        rs.MoveNext();
    }
    const int others = combo.ListCount() - 1;
    if (combo.Text() != noMember) {
        combo.AddItem(noMember);
    }
    return others;
}

qint32 DefaultMember() {
    const QString stored = GetOption(QStringLiteral("Defter"), QStringLiteral("-"));
    if (stored == QLatin1String("-")) {
        return 0;
    }
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT MIN(userid) FROM usr WHERE FirstN = ?"), cn, {stored});
    return rs[0].IsNull() ? 0 : rs[0].toLong();
}

qint32 MemberId(const ui::ComboBox& combo) {
    const int index = combo.ListIndex();
    return index < 0 ? 0 : combo.ItemData(index);
}

QString MemberName(const ui::ComboBox& combo) {
    if (const qint32 userid = MemberId(combo); userid != 0) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT FirstN FROM usr WHERE userid = ?"), cn, {userid});
        if (!rs.EOF()) {
            return rs[0].text();
        }
    }
    return combo.Text();
}

void ShowDataFileDialog(ui::CommonDialog& cdlg) {
    cdlg.CancelError = false;
    cdlg.Flags = 4;
    cdlg.Filter = QStringLiteral("Kelvora File (*.vs_)|*.vs_");
    cdlg.FilterIndex = 2;
    cdlg.DefaultExt = QStringLiteral(".vs_");
    cdlg.InitDir = rt::App::Path();
    cdlg.ShowOpen();
}

QString DefaultDataPath() {
    return frame::UserDataFile();
}

QString ProductPage() {
    return rt::App::Path() + QStringLiteral("/kelvora.html");
}

QString ProductPageAddress() {
    return QUrl::fromLocalFile(ProductPage()).toString();
}

void Main() {
    if (rt::App::PrevInstance()) {
        TellAlreadyRunning();
        rt::App::End();
    }
    // The person's folder takes the data file and the error log.
    QDir().mkpath(rt::App::dataFolder());
    SetAsideUnreadablePreferences();
    for (;;) {
        try {
            frmSpl::instance().Show(ui::vbModal);
            CheckRegistry();
            ui::Unload<frmSpl>();
            return;
        } catch (const rt::Error& error) {
            ui::Unload<frmSpl>();
            switch (error.Number()) {
                case rt::err::CancelSelected:
                    return;
                // A file whose access check does not match is no file of this program for
                // the person, who never typed a password: another file can be picked, as for
                // a missing one.
                case rt::err::WrongPassword:
                case rt::err::ProviderFailure:
                    if (ui::MsgBox(kMissingFileQuestion, ui::vbYesNo | ui::vbCritical,
                                   QStringLiteral("Kelvora")) == ui::vbNo) {
                        rt::App::End();
                    }
                    PickDataFile();
                    continue;
                case rt::err::DataFileDamaged:
                    AskAboutDamagedFile(error);
                    continue;
                // A good file that another program holds: replacing it is not the remedy.
                case rt::err::DataFileInUse:
                    LogStartupError(error);
                    if (ui::MsgBox(FileInUseMessage(DataPath),
                                   ui::vbRetryCancel | ui::vbExclamation,
                                   rt::App::Title()) == ui::vbCancel) {
                        rt::App::End();
                    }
                    continue;
                default:
                    LogStartupError(error);
                    // With the main window up the program can go on without what failed;
                    // without it the user is told why the program ends.
                    if (frmMain::isLoaded()) {
                        return;
                    }
                    ui::MsgBox(error.Description(), ui::vbOKOnly | ui::vbCritical,
                               rt::App::Title());
                    rt::App::End();
            }
        }
    }
}

db::OpenOptions DataFileOptions() {
    db::CheckListener listener;
    listener.whileWaiting = [](const std::function<void()>& wait) {
        ui::Hourglass busy;
        wait();
    };
    // The verdict comes from the event loop as well as from a write: the program's end that it
    // may bring about goes the way of an end from any event.
    listener.verdict = [](const std::optional<rt::Error>& failure) {
        ui::detail::dispatchFromQt([&failure] { DataFileChecked(failure); });
    };
    return {.readOnly = false, .check = db::Check::InBackground, .listener = std::move(listener)};
}

void AwaitDataCheck() {
    try {
        cn.AwaitCheck();
    } catch (const rt::Error&) {
        // What the check found has been told; the end it brought about goes on from here.
        ui::passOnEnd();
    }
}

void KeepOtherCopiesOff(const QString& dataFile) {
    // A file that is not there is asked for when it does not open; it has nothing to lock.
    if (QFileInfo::exists(dataFile) && !rt::App::LockDataFile(dataFile)) {
        TellAlreadyRunning();
        rt::App::End();
    }
}

void CheckRegistry() {
    bool repaired = false;
    int answer = 0;
    // One question serves every check that fails: the first answer applies to them all.
    auto repair = [&](const QString& question, const QString& key, const QString& value) {
        if (!repaired) {
            repaired = true;
            answer = ui::MsgBox(question, ui::vbYesNo | ui::vbCritical, QStringLiteral("Kelvora"));
        }
        if (answer == ui::vbNo) {
            rt::App::End();
        }
        SaveOption(key, value);
    };
    auto exists = [](const QString& sql, const QString& value) {
        db::Recordset rs;
        rs.Open(sql, cn, {value});
        return !rs.EOF();
    };

    try {
        const QString member = GetOption(QStringLiteral("Defter"), QStringLiteral("-"));
        if (member != QLatin1String("-") &&
            !exists(QStringLiteral("SELECT FIRSTN FROM USR WHERE FIRSTN = ?"), member)) {
            repair(kRepairQuestion, QStringLiteral("Defter"), QStringLiteral("-"));
        }
        const QString language = GetOption(QStringLiteral("language"), QStringLiteral("ENGLISH"));
        if (!exists(QStringLiteral("SELECT langname from langcat where langname = ?"), language)) {
            repair(kRepairQuestion, QStringLiteral("language"), QStringLiteral("ENGLISH"));
        }
        const QString category = GetOption(QStringLiteral("ctb"), QStringLiteral("ALL FOODS"));
        if (!exists(QStringLiteral("SELECT CNAME FROM CAT WHERE CNAME = ?"), category)) {
            repair(kRepairQuestionCategory, QStringLiteral("ctb"), QStringLiteral("ALL FOODS"));
        }
    } catch (const rt::Error& error) {
        // A data file that cannot answer (a missing table) leaves the preferences as they are;
        // the windows that need the rows tell the person of the damage themselves.
        frame::logError(error, QStringLiteral("core::CheckRegistry"));
        return;
    }
    if (repaired) {
        ui::MsgBox(QStringLiteral("Repaired successfully"), ui::vbOKOnly, rt::App::Title());
    }
}

void CenterForm(ui::Form& parent, ui::Form& child) {
    const float left =
        static_cast<float>(parent.ScaleWidth()) / 2.0f - static_cast<float>(child.Width()) / 2.0f;
    const float top =
        static_cast<float>(parent.ScaleHeight()) / 2.0f - static_cast<float>(child.Height()) / 2.0f;
    child.Move(static_cast<int>(left), static_cast<int>(top));
}

void FindListItem(ui::ListView& lvw, QString& text, int& where) {
    if (text.isEmpty()) {
        text = QStringLiteral("0");
    }
    if (ui::ListItem* item = lvw.FindItem(text, where)) {
        item->EnsureVisible();
        item->setSelected(true);
    }
}

void ReleaseAll() {
    storeFailureTold = false;
    cn.Close();
    rt::App::releaseDataFileLock();
    StartAgain = false;
    cmd = db::Command();
    DataPath.clear();
    PickedConnStr.reset();
    ComposedFood.clear();
    UnitCaller.clear();
    ActFromUsr = false;
    OthDelete = false;
    ExitCancel = false;
    OpenAnswer = 0;
}

}  // namespace core
