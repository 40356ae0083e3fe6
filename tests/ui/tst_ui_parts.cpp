// Widget tests of the workbench's small parts: the prompt box, the widget Host, the
// desktop services, the about box and the icon set. Modal boxes are answered from a
// zero-delay timer that runs inside their event loop. With TARVELO_ICON_SHEET set to a
// file name, the icon test also writes a contact sheet of every icon there.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/frm_about.h"
#include "ui/frm_message_box.h"
#include "ui/icons.h"
#include "ui/qt_desktop_services.h"
#include "ui/widget_host.h"

using namespace tarvelo;

Q_DECLARE_METATYPE(tarvelo::MessageIcon)
Q_DECLARE_METATYPE(QMessageBox::Icon)

namespace {

const FileRole kRoles[] = {FileRole::kDocument,     FileRole::kTemplate,
                           FileRole::kContentFile,  FileRole::kGlobalContentFile,
                           FileRole::kFolderGlobal, FileRole::kProjectMacroFile};
const FileState kStates[] = {FileState::kPresent, FileState::kUnderDefaultRoot,
                             FileState::kReadOnly, FileState::kReadOnlyUnderDefaultRoot,
                             FileState::kMissing};

// Runs `answer` on the modal box that `open` shows, from inside its event loop.
template <typename Box>
void AnswerModal(const std::function<void(Box*)>& answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<Box*>(modal);
    if (!box && modal) modal->close();  // so the test fails instead of hanging
    QVERIFY2(box, "no modal box of the expected type is open");
    answer(box);
  });
}

QImage Image(const QIcon& icon, int size) {
  return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Every pair of images differs.
bool AllDistinct(const QList<QImage>& images) {
  for (int i = 0; i < images.size(); ++i) {
    for (int j = i + 1; j < images.size(); ++j) {
      if (images[i] == images[j]) return false;
    }
  }
  return true;
}

// The share of pixels whose colour, drawn over `background`, stands apart from it.
double Contrast(const QImage& icon, const QColor& background) {
  QImage over(icon.size(), QImage::Format_ARGB32);
  over.fill(background);
  QPainter(&over).drawImage(0, 0, icon);
  const int base = qGray(background.rgb());
  int apart = 0;
  for (int y = 0; y < over.height(); ++y) {
    for (int x = 0; x < over.width(); ++x) apart += qAbs(qGray(over.pixel(x, y)) - base) >= 40;
  }
  return double(apart) / (over.width() * over.height());
}

// Opaque enough to be seen: at least a quarter of the pixels carry colour.
bool Visible(const QImage& image) {
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
  }
  return opaque * 4 >= image.width() * image.height();
}

}  // namespace

class TestUiParts : public QObject {
  Q_OBJECT

 private slots:
  void promptBoxShowsRequestedButtons_data();
  void promptBoxShowsRequestedButtons();
  void promptBoxButtonStoresItsCode_data();
  void promptBoxButtonStoresItsCode();
  void promptBoxClosedOtherwiseKeepsPreset_data();
  void promptBoxClosedOtherwiseKeepsPreset();
  void promptBoxEnterAnswersYes();
  void promptBoxCentresOverParent();

  void statusListSelectsNewestFromSecondLine();
  void statusLinesOfARunArriveInBatches_data();
  void statusLinesOfARunArriveInBatches();
  void showMessage_data();
  void showMessage();
  void askWithPromptBoxReturnsAnswer();
  void pauseRunsEventsMeanwhile();
  void generationCallbacks();
  void displayTextKeepsSingleByteText();

  void openMissingPathIsFileNotFound_data();
  void openMissingPathIsFileNotFound();
  void openExistingPathHandsFileUrlToDesktop();
  void startDetachedPassesArgumentsWithoutShell();
  void startDetachedReportsFailure();

  void aboutBoxShowsVersionAndCloses();

  void stateIconsAreDistinct();
  void toolbarIconsForEveryKey();
  void iconsStandOutOnLightAndDarkThemes();

 public slots:
  void recordUrl(const QUrl& url) { opened_urls_ << url; }

 private:
  // A contact sheet of every icon on a light and a dark background, for the eye.
  void WriteIconSheet();

  QList<QUrl> opened_urls_;
};

// ---- frmMessageBox ----

void TestUiParts::promptBoxShowsRequestedButtons_data() {
  QTest::addColumn<bool>("yes_to_all");
  QTest::addColumn<bool>("yes");
  QTest::addColumn<bool>("no");
  QTest::addColumn<bool>("cancel");
  QTest::newRow("three-button question") << true << true << true << false;
  QTest::newRow("four-button question") << true << true << true << true;
  QTest::newRow("yes and no") << false << true << true << false;
  QTest::newRow("cancel only") << false << false << false << true;
}

void TestUiParts::promptBoxShowsRequestedButtons() {
  QFETCH(bool, yes_to_all);
  QFETCH(bool, yes);
  QFETCH(bool, no);
  QFETCH(bool, cancel);
  frmMessageBox box("Create Folder", "Line one\rLine two\r\nLine three",
                    PromptButtons{yes_to_all, yes, no, cancel}, kPromptNo);
  QCOMPARE(box.windowTitle(), QString("Create Folder"));
  const QLabel* message = box.findChild<QLabel*>("lblMessage");
  QCOMPARE(message->text(), QString("Line one\nLine two\nLine three"));
  QCOMPARE(message->textFormat(), Qt::PlainText);
  const struct {
    const char* name;
    const char* text;
    bool visible;
  } expected[] = {{"cmdYesToAll", "Yes to &All", yes_to_all},
                  {"cmdYes", "&Yes", yes},
                  {"cmdNo", "&No", no},
                  {"cmdCancel", "&Cancel", cancel}};
  for (const auto& button : expected) {
    auto* widget = box.findChild<QPushButton*>(button.name);
    QVERIFY2(widget, button.name);
    QCOMPARE(widget->text(), QString(button.text));
    QCOMPARE(widget->isVisibleTo(&box), button.visible);
  }
  QVERIFY(box.findChild<QPushButton*>("cmdYes")->isDefault());
  QCOMPARE(box.result_code(), int(kPromptNo));
}

void TestUiParts::promptBoxButtonStoresItsCode_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("code");
  QTest::newRow("Yes") << "cmdYes" << 1;
  QTest::newRow("Yes to All") << "cmdYesToAll" << 2;
  QTest::newRow("No") << "cmdNo" << 3;
  QTest::newRow("Cancel") << "cmdCancel" << 4;
}

void TestUiParts::promptBoxButtonStoresItsCode() {
  QFETCH(QString, button);
  QFETCH(int, code);
  // A preset that no button has, so the code can only come from the click.
  frmMessageBox box("Question", "Overwrite?", PromptButtons{true, true, true, true}, 0);
  AnswerModal<frmMessageBox>([button](frmMessageBox* shown) {
    QTest::mouseClick(shown->findChild<QPushButton*>(button), Qt::LeftButton);
  });
  QCOMPARE(box.exec(), int(QDialog::Accepted));
  QCOMPARE(box.result_code(), code);
  QVERIFY(!box.isVisible());
}

void TestUiParts::promptBoxClosedOtherwiseKeepsPreset_data() {
  QTest::addColumn<bool>("escape");
  QTest::addColumn<int>("preset");
  QTest::newRow("close button, three-button question") << false << 3;
  QTest::newRow("close button, subdirectory question") << false << 4;
  QTest::newRow("Esc, three-button question") << true << 3;
  QTest::newRow("Esc, subdirectory question") << true << 4;
}

void TestUiParts::promptBoxClosedOtherwiseKeepsPreset() {
  QFETCH(bool, escape);
  QFETCH(int, preset);
  frmMessageBox box("Question", "Create it?", PromptButtons{true, true, true, preset == 4}, preset);
  AnswerModal<frmMessageBox>([escape](frmMessageBox* shown) {
    if (escape)
      QTest::keyClick(shown, Qt::Key_Escape);
    else
      shown->close();
  });
  box.exec();
  QCOMPARE(box.result_code(), preset);
}

void TestUiParts::promptBoxEnterAnswersYes() {
  frmMessageBox box("Question", "Go on?", PromptButtons{}, kPromptNo);
  AnswerModal<frmMessageBox>([](frmMessageBox* shown) { QTest::keyClick(shown, Qt::Key_Return); });
  box.exec();
  QCOMPARE(box.result_code(), int(kPromptYes));
}

void TestUiParts::promptBoxCentresOverParent() {
  QWidget parent;
  parent.setGeometry(60, 80, 900, 700);
  parent.show();
  frmMessageBox box("Question", "Where am I?", PromptButtons{}, kPromptNo, &parent);
  box.show();
  QVERIFY((box.frameGeometry().center() - parent.frameGeometry().center()).manhattanLength() <= 2);
  box.close();
}

// ---- WidgetHost ----

void TestUiParts::statusListSelectsNewestFromSecondLine() {
  QListWidget list;
  WidgetHost host;
  host.set_status_list(&list);
  host.AddStatusLine("Starting Project: \tSite");
  QCOMPARE(list.count(), 1);
  QVERIFY(list.selectedItems().isEmpty());
  host.AddStatusLine("Processing:\t/site/index.html");
  QCOMPARE(list.selectedItems().size(), 1);
  QCOMPARE(list.currentRow(), 1);
  host.AddStatusLine("Completed Project:");
  QCOMPARE(list.currentRow(), 2);
  QCOMPARE(list.item(2)->text(), QString("Completed Project:"));
  host.ClearStatusLines();
  QCOMPARE(list.count(), 0);
  host.AddStatusLine("again");
  QVERIFY(list.selectedItems().isEmpty());
}

void TestUiParts::statusLinesOfARunArriveInBatches_data() {
  QTest::addColumn<QString>("trigger");  // what shows the waiting lines
  QTest::newRow("end of the run") << "end";
  QTest::newRow("a pause") << "pause";
  QTest::newRow("events after the interval") << "events";
}

void TestUiParts::statusLinesOfARunArriveInBatches() {
  QFETCH(QString, trigger);
  QListWidget list;
  WidgetHost host;
  host.set_status_list(&list);
  host.GenerationStarted();
  host.AddStatusLine("Starting Project: \tSite");  // the first line of a run shows at once
  host.AddStatusLine("Processing:\t/site/a.html");
  host.AddStatusLine("Processing:\t/site/b.html");
  host.ProcessEvents();  // within the interval: the lines wait
  QCOMPARE(list.count(), 1);
  if (trigger == "end") {
    host.GenerationEnded();
  } else if (trigger == "pause") {
    host.Pause(0);
  } else {
    QTest::qWait(WidgetHost::kStatusInterval + 20);
    host.ProcessEvents();
  }
  QCOMPARE(list.count(), 3);
  QCOMPARE(list.currentRow(), 2);
  QCOMPARE(list.item(2)->text(), QString("Processing:\t/site/b.html"));
}

void TestUiParts::showMessage_data() {
  QTest::addColumn<MessageIcon>("icon");
  QTest::addColumn<QMessageBox::Icon>("shown_icon");
  QTest::addColumn<bool>("ok_cancel");
  QTest::addColumn<QString>("action");  // "ok", "cancel" or "escape"
  QTest::addColumn<bool>("answer_ok");
  QTest::newRow("warning, OK") << MessageIcon::kExclamation << QMessageBox::Warning << false << "ok"
                               << true;
  QTest::newRow("no icon, OK closed with Esc")
      << MessageIcon::kNone << QMessageBox::NoIcon << false << "escape" << true;
  QTest::newRow("question, OK") << MessageIcon::kQuestion << QMessageBox::Question << true << "ok"
                                << true;
  QTest::newRow("question, Cancel")
      << MessageIcon::kQuestion << QMessageBox::Question << true << "cancel" << false;
  QTest::newRow("information, Esc")
      << MessageIcon::kInformation << QMessageBox::Information << true << "escape" << false;
  QTest::newRow("critical, OK") << MessageIcon::kCritical << QMessageBox::Critical << false << "ok"
                                << true;
}

void TestUiParts::showMessage() {
  QFETCH(MessageIcon, icon);
  QFETCH(QMessageBox::Icon, shown_icon);
  QFETCH(bool, ok_cancel);
  QFETCH(QString, action);
  QFETCH(bool, answer_ok);
  WidgetHost host;
  QString text, title;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::Icon seen_icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons seen_buttons;
  AnswerModal<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    format = box->textFormat();
    title = box->windowTitle();
    seen_icon = box->icon();
    seen_buttons = box->standardButtons();
    if (action == "escape") {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(action == "ok" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    }
  });
  const MessageAnswer answer =
      host.ShowMessage("Error # 10005 was generated by Tarvelo\r<b>File not found</b>", "Error",
                       ok_cancel ? MessageButtons::kOkCancel : MessageButtons::kOk, icon);
  QCOMPARE(text, QString("Error # 10005 was generated by Tarvelo\n<b>File not found</b>"));
  QCOMPARE(format, Qt::PlainText);  // a file name is never taken for markup
  QCOMPARE(title, QString("Error"));
  QCOMPARE(seen_icon, shown_icon);
  QCOMPARE(seen_buttons, ok_cancel ? QMessageBox::Ok | QMessageBox::Cancel
                                   : QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(answer, answer_ok ? MessageAnswer::kOk : MessageAnswer::kCancel);
}

void TestUiParts::askWithPromptBoxReturnsAnswer() {
  WidgetHost host;
  AnswerModal<frmMessageBox>([](frmMessageBox* box) {
    QCOMPARE(box->windowTitle(), QString("Read-Only Document"));
    box->findChild<QPushButton*>("cmdYesToAll")->click();
  });
  QCOMPARE(host.AskWithPromptBox("Read-Only Document", "Skip it?", PromptButtons{}, kPromptNo),
           int(kPromptYesToAll));
  AnswerModal<frmMessageBox>([](frmMessageBox* box) { box->close(); });
  QCOMPARE(host.AskWithPromptBox("Create Folder", "Create it?",
                                 PromptButtons{true, true, true, true}, kPromptCancel),
           int(kPromptCancel));
}

void TestUiParts::pauseRunsEventsMeanwhile() {
  WidgetHost host;
  bool fired = false;
  QTimer::singleShot(5, [&fired] { fired = true; });
  QElapsedTimer clock;
  clock.start();
  host.Pause(60);
  QVERIFY(fired);
  QVERIFY2(clock.elapsed() >= 55, qPrintable(QString::number(clock.elapsed())));
}

void TestUiParts::generationCallbacks() {
  WidgetHost host;
  host.GenerationStarted();  // no callbacks yet: nothing to call
  int started = 0, ended = 0;
  host.set_generation_callbacks([&] { ++started; }, [&] { ++ended; });
  host.GenerationStarted();
  QCOMPARE(started, 1);
  QCOMPARE(ended, 0);
  host.GenerationEnded();
  QCOMPARE(ended, 1);
}

void TestUiParts::displayTextKeepsSingleByteText() {
  QCOMPARE(DisplayText("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
  QCOMPARE(DisplayText("caf\xe9 cr\xe8me"), QString::fromLatin1("caf\xe9 cr\xe8me"));
  QCOMPARE(DisplayText(""), QString());
}

// ---- QtDesktopServices ----

void TestUiParts::openMissingPathIsFileNotFound_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<bool>("explore");
  QTest::newRow("file") << "/nonexistent/tarvelo/index.html" << false;
  QTest::newRow("folder") << "/nonexistent/tarvelo" << true;
  QTest::newRow("empty") << "" << false;
}

void TestUiParts::openMissingPathIsFileNotFound() {
  QFETCH(QString, path);
  QFETCH(bool, explore);
  opened_urls_.clear();
  QDesktopServices::setUrlHandler("file", this, "recordUrl");
  QtDesktopServices desktop;
  QCOMPARE(desktop.OpenWithDesktop(path.toStdString(), explore), 2);
  QDesktopServices::unsetUrlHandler("file");
  QVERIFY(opened_urls_.isEmpty());
}

void TestUiParts::openExistingPathHandsFileUrlToDesktop() {
  QTemporaryDir dir;
  const QString file = dir.filePath("my page.html");
  QFile(file).open(QIODevice::WriteOnly);
  opened_urls_.clear();
  QDesktopServices::setUrlHandler("file", this, "recordUrl");
  QtDesktopServices desktop;
  QCOMPARE(desktop.OpenWithDesktop(file.toStdString(), false), 42);
  // The launchers quote a path with blanks; the desktop gets it bare.
  QCOMPARE(desktop.OpenWithDesktop(("\"" + file + "\"").toStdString(), false), 42);
  QCOMPARE(desktop.OpenWithDesktop(dir.path().toStdString(), true), 42);
  QDesktopServices::unsetUrlHandler("file");
  QCOMPARE(opened_urls_, QList<QUrl>({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file),
                                      QUrl::fromLocalFile(dir.path())}));
}

void TestUiParts::startDetachedPassesArgumentsWithoutShell() {
  QTemporaryDir dir;
  // A shell would split this at the blank and run the part after ";".
  const QString name = dir.filePath("a b; touch pwned");
  QtDesktopServices desktop;
  QVERIFY(desktop.StartDetached({"touch", name.toStdString()}));
  QVERIFY(QTest::qWaitFor([&] { return QFile::exists(name); }, 5000));
  QVERIFY(!QFile::exists(dir.filePath("a")));
  QVERIFY(!QFile::exists("pwned"));
}

void TestUiParts::startDetachedReportsFailure() {
  QtDesktopServices desktop;
  QVERIFY(!desktop.StartDetached({}));
  QVERIFY(!desktop.StartDetached({""}));
  QVERIFY(!desktop.StartDetached({"/nonexistent/tarvelo-editor", "index.html"}));
}

// ---- frmAbout ----

void TestUiParts::aboutBoxShowsVersionAndCloses() {
  frmAbout about;
  QCOMPARE(about.findChild<QLabel*>("lblTitle")->text(), QString("Tarvelo CMS"));
  QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), "Version " + ProgramVersion());
  QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(ProgramVersion()).hasMatch());
  QVERIFY(about.findChild<QLabel*>("lblLegal")->text().contains("GNU Lesser General Public"));
  AnswerModal<frmAbout>([](frmAbout* shown) {
    QTest::mouseClick(shown->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  });
  QCOMPARE(about.exec(), int(QDialog::Accepted));
}

// ---- Icons ----

void TestUiParts::stateIconsAreDistinct() {
  for (int size : {16, 32}) {
    QList<QImage> all;
    for (FileRole role : kRoles) {
      for (FileState state : kStates) {
        const QIcon icon = StateIcon(role, state);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.actualSize(QSize(size, size)), QSize(size, size));
        const QImage image = Image(icon, size);
        QVERIFY(Visible(image));
        all << image;
      }
    }
    // Every role × state combination has its own image, so no two are confused.
    QVERIFY(AllDistinct(all));

    QList<QImage> documents;
    for (FileState state : {FileState::kPresent, FileState::kReadOnly, FileState::kMissing}) {
      for (Int16 level : {0, 1, 2}) {
        documents << Image(StateIcon(FileRole::kDocument, state, level), size);
      }
    }
    QVERIFY(AllDistinct(documents));
    // The optimisation level marks Documents only; other levels show no badge.
    QCOMPARE(Image(StateIcon(FileRole::kContentFile, FileState::kPresent, 2), size),
             Image(StateIcon(FileRole::kContentFile, FileState::kPresent, 0), size));
    QCOMPARE(Image(StateIcon(FileRole::kDocument, FileState::kPresent, 7), size),
             Image(StateIcon(FileRole::kDocument, FileState::kPresent, 0), size));
  }
}

void TestUiParts::toolbarIconsForEveryKey() {
  const QStringList keys = {"Generate",
                            "GenerateFolder",
                            "GenerateDocument",
                            "Stop",
                            "Search",
                            "Replace",
                            "Editor",
                            "Browser",
                            "ImageEditor",
                            "XMLEditor",
                            "CustomApplication",
                            "CustomApplication2",
                            "CustomApplication3",
                            "BrowseFolder1",
                            "Log"};
  QCOMPARE(ToolbarIconKeys(), keys);
  for (int size : {16, 24, 32}) {
    QList<QImage> images;
    for (const QString& key : keys) {
      const QIcon icon = ToolbarIcon(key);
      QVERIFY2(!icon.isNull(), qPrintable(key));
      QVERIFY(icon.availableSizes().contains(QSize(size, size)));
      images << Image(icon, size);
      QVERIFY2(Visible(images.last()), qPrintable(key));
    }
    QVERIFY(AllDistinct(images));
  }
  QVERIFY(ToolbarIcon("Print").isNull());
}

void TestUiParts::iconsStandOutOnLightAndDarkThemes() {
  WriteIconSheet();
  QList<QIcon> icons;
  for (FileRole role : kRoles) {
    for (FileState state : kStates) icons << StateIcon(role, state);
  }
  for (const QString& key : ToolbarIconKeys()) icons << ToolbarIcon(key);
  // A glyph that leans on black or white alone vanishes on one of the two themes.
  for (const QColor& background : {QColor("#f2f2f2"), QColor("#2a2d33")}) {
    for (int i = 0; i < icons.size(); ++i) {
      for (int size : {16, 32}) {
        const double contrast = Contrast(Image(icons[i], size), background);
        QVERIFY2(contrast >= 0.15, qPrintable(QString("icon %1 at %2 on %3: %4")
                                                  .arg(i)
                                                  .arg(size)
                                                  .arg(background.name())
                                                  .arg(contrast)));
      }
    }
  }
}

void TestUiParts::WriteIconSheet() {
  const QString path = qEnvironmentVariable("TARVELO_ICON_SHEET");
  if (path.isEmpty()) return;
  // Rows: each role's five states, the Documents' optimisation levels, the toolbar at
  // 32, 24 and 16 pixels, and the toolbar as a disabled button shows it.
  QList<QList<QIcon>> rows;
  for (FileRole role : kRoles) {
    QList<QIcon> row;
    for (FileState state : kStates) row << StateIcon(role, state);
    rows << row;
  }
  QList<QIcon> levels;
  for (FileState state : {FileState::kPresent, FileState::kReadOnly, FileState::kMissing}) {
    for (Int16 level : {1, 2}) levels << StateIcon(FileRole::kDocument, state, level);
  }
  rows << levels;
  QList<QIcon> toolbar;
  for (const QString& key : ToolbarIconKeys()) toolbar << ToolbarIcon(key);

  const int cell = 40, panel_width = cell * 16, state_rows = int(rows.size());
  const int panel_height = cell * (state_rows + 4);
  QImage sheet(panel_width * 2, panel_height, QImage::Format_ARGB32);
  QPainter painter(&sheet);
  const QColor backgrounds[] = {QColor("#f2f2f2"), QColor("#2a2d33")};
  for (int panel = 0; panel < 2; ++panel) {
    const int left = panel * panel_width;
    painter.fillRect(left, 0, panel_width, panel_height, backgrounds[panel]);
    for (int r = 0; r < state_rows; ++r) {
      for (int c = 0; c < rows[r].size(); ++c) {
        painter.drawPixmap(left + 8 + c * cell, 8 + r * cell, rows[r][c].pixmap(32, 32));
        painter.drawPixmap(left + 8 + (c + 8) * cell, 16 + r * cell, rows[r][c].pixmap(16, 16));
      }
    }
    const int sizes[] = {32, 24, 16, 24};
    for (int t = 0; t < 4; ++t) {
      const QIcon::Mode mode = t == 3 ? QIcon::Disabled : QIcon::Normal;
      for (int c = 0; c < toolbar.size(); ++c) {
        painter.drawPixmap(left + 8 + c * cell, 8 + (state_rows + t) * cell,
                           toolbar[c].pixmap(QSize(sizes[t], sizes[t]), mode));
      }
    }
  }
  painter.end();
  QVERIFY(sheet.save(path));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TestUiParts test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_parts.moc"
