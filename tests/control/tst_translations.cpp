// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnalysisView.h"
#include "FileErrors.h"
#include "JoinDialog.h"
#include "Translations.h"
#include "LocalisedFileModel.h"
#include "WidgetDialogs.h"
#include "WindowDriver.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

Q_DECLARE_METATYPE(Translations::Language)

namespace {
using Language = Translations::Language;

// What shows the other language: French words and accents, in any case; English
// words, whole and with their capitals.
const QRegularExpression frenchMarks(QStringLiteral("[éèàçêôû«]|joueur|partie|plateau|coup|humain|ordinateur|réseau|"
                                                    "niveau|minuterie|quitter|ouvrir|enregistrer|annuler|attente|"
                                                    "impossible|fichier|ligne|étiquette"),
                                     QRegularExpression::CaseInsensitiveOption);
const QRegularExpression englishMarks(QStringLiteral("\\b(Cancel|Open|File|Save|Game|Move|Player|Board|Quit|Undo|Redo|"
                                                     "Waiting|Computer|Human|Network|Timer|Level|seconds|line|"
                                                     "[Cc]annot|unknown|wins)\\b"));

// Whether the label's text fits in the room the label has.
bool shownWhole(const QLabel *label)
{
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = label->fontMetrics().boundingRect(room, flags, label->text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QString inWindow(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// Every text the window shows: its widgets' and actions' texts, titles and tips,
// the status, and the boxes and file dialogs it opened.
QStringList shownTexts(const WindowDriver &driver)
{
    QStringList texts = {driver.window->windowTitle(), driver.status()};
    for (const QWidget *widget : driver.window->findChildren<QWidget *>())
        texts << widget->property("text").toString() << widget->property("title").toString()
              << widget->windowTitle() << widget->toolTip() << widget->statusTip();
    for (const QAction *action : driver.window->findChildren<QAction *>())
        texts << action->text() << action->toolTip() << action->statusTip();
    return texts + driver.dialogs.warnings + driver.dialogs.informations + driver.dialogs.questions
           + driver.dialogs.captions;
}
} // namespace

// The program in English or in French, Qt's own texts with it, and the language
// chosen on the command line or from the system.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(translations.install(Language::French)); }

    // The window as it opens and through a game, a refused board, a refused
    // records file, a won game and the rules, with nothing of the other language.
    void windowInOneLanguage_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QRegularExpression>("foreign");
        QTest::newRow("English") << Language::English << frenchMarks;
        QTest::newRow("French") << Language::French << englishMarks;
    }

    void windowInOneLanguage()
    {
        QFETCH(Language, language);
        QFETCH(QRegularExpression, foreign);
        QVERIFY(translations.install(language));
        QCOMPARE(QLocale().language(), language == Language::English ? QLocale::English : QLocale::French);
        WindowDriver driver;
        auto *heading = driver.child<QLabel>("label"); // whole, in either language
        QVERIFY(heading->width() >= heading->sizeHint().width());
        QStringList texts = shownTexts(driver);
        driver.play("B2", "B3");
        QVERIFY(driver.trigger(inWindow("Annuler le coup")));
        QVERIFY(driver.trigger(inWindow("Refaire")));
        texts << shownTexts(driver);
        driver.browseBoard("9 0 0 0 0 0 0 0\n");
        QTemporaryFile game;
        QVERIFY(game.open() && game.write("[Result \"1-0\"]\n1. B2 - B3 0-1\n") > 0 && game.flush());
        driver.dialogs.nextPath = game.fileName();
        QVERIFY(driver.trigger(inWindow("Ouvrir une partie…")));
        // Who played, in the record's words, is told in the window's.
        QTemporaryFile replayed;
        QVERIFY(replayed.open() && replayed.write("[Result \"*\"]\n[Red \"Humain\"]\n[Black \"Ordinateur niveau 3\"]\n1. B2 - B3 *\n") > 0
                && replayed.flush());
        driver.dialogs.nextPath = replayed.fileName();
        QVERIFY(driver.trigger(inWindow("Ouvrir une partie…")));
        texts << driver.status();
        driver.startCustom("0 0 0 0 0 0 0 2\n4 0 0 0 0 0 0 0\n");
        driver.play("A7", "A8");
        QTRY_COMPARE(driver.dialogs.informations.size(), 1);
        QVERIFY(driver.trigger(inWindow("Règles du jeu")));
        texts << shownTexts(driver);
        QCOMPARE(driver.dialogs.warnings.size(), 2);
        QCOMPARE(driver.dialogs.informations.size(), 2);
        QCOMPARE(driver.dialogs.questions.size(), 2); // a bad board file is refused before any question
        for (const QString &text : texts)
            QVERIFY2(!text.contains(foreign), qPrintable(text));
    }

    // Texts are shown whole in either language: the analysis panel's longest status
    // wraps in the narrow panel, and the join dialog's field holds its example.
    void textsAreShownWhole_data() { windowInOneLanguage_data(); }

    void textsAreShownWhole()
    {
        QFETCH(Language, language);
        QVERIFY(translations.install(language));
        WindowDriver driver;
        driver.child<QDockWidget>("analysisDock")->show();
        auto *view = driver.window->findChild<AnalysisView *>();
        QTRY_VERIFY(!view->findChild<QLabel *>("analysisDepth")->text().isEmpty()); // the search says no more
        view->showStatus(QCoreApplication::translate("Analysis", "En attente : l'ordinateur réfléchit."));
        const auto *status = view->findChild<QLabel *>("analysisStatus");
        QTRY_VERIFY2(shownWhole(status), qPrintable(status->text()));
        JoinDialog join(QString(), 8888, driver.window);
        join.show();
        QVERIFY(QTest::qWaitForWindowExposed(&join));
        auto *host = join.findChild<QLineEdit *>();
        host->setText(host->placeholderText());
        host->end(false);
        host->repaint();
        QCOMPARE(host->cursorPositionAt(QPoint(0, host->height() / 2)), 0); // not scrolled
    }

    void qtTexts_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("shown");
        const QByteArray replace("%1 already exists.\nDo you want to replace it?");
        QTest::newRow("button fr") << Language::French << QByteArray("QPlatformTheme") << QByteArray("Cancel")
                                   << QStringLiteral("Annuler");
        QTest::newRow("replace fr") << Language::French << QByteArray("QFileDialog") << replace
                                    << QStringLiteral("Le fichier %1 existe déjà\nVoulez-vous l'écraser ?");
        QTest::newRow("button en") << Language::English << QByteArray("QPlatformTheme") << QByteArray("Cancel")
                                   << QStringLiteral("Cancel");
    }

    void qtTexts()
    {
        QFETCH(Language, language);
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(QString, shown);
        QVERIFY2(translations.install(language), "qtbase_fr.qm (qttranslations5-l10n) is missing");
        QCOMPARE(QCoreApplication::translate(context.constData(), source.constData()), shown);
    }

    // When the system's language (say "C") is not the program's, the file dialog
    // gives sizes and dates in the program's: "0 octets", not "0 bytes"; they and
    // their columns' titles are shown whole.
    void fileDialogInTheProgramsLanguage()
    {
        const bool frenchSystem = Translations::languageOf(QLocale::system()) == Language::French;
        QVERIFY(translations.install(frenchSystem ? Language::English : Language::French));
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("partie.zgn")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            const QTreeView *view = dialog ? dialog->findChild<QTreeView *>() : nullptr;
            const auto listed = [&] { return view && view->model()->rowCount(view->rootIndex()) == 1; };
            if (QTest::qWaitFor(listed, 5000))
                for (int column : {LocalisedFileModel::sizeColumn, LocalisedFileModel::dateColumn}) {
                    shown << view->model()->index(0, column, view->rootIndex()).data().toString();
                    const auto *items = static_cast<const QAbstractItemView *>(view); // where the hint is public
                    const int needed = qMax(items->sizeHintForColumn(column), view->header()->sectionSizeHint(column));
                    if (view->columnWidth(column) < needed)
                        shown << QStringLiteral("column %1 cut").arg(column);
                }
            if (dialog)
                dialog->reject();
        });
        WidgetDialogs().openFileName(nullptr, QStringLiteral("Ouvrir"), dir.path(), QStringLiteral("(*.zgn)"));
        const QLocale program;
        QCOMPARE(shown, QStringList({program.formattedDataSize(0),
                                     program.toString(QFileInfo(file).lastModified(), QLocale::ShortFormat)}));
    }

    // Qt 5 leaves these reasons in English; the window's French warnings must not.
    void fileErrors_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("warned");
        QTest::newRow("French") << Language::French << QStringLiteral("Aucun fichier ou dossier")
                                << QStringLiteral(" : Aucun fichier ou dossier");
        QTest::newRow("English") << Language::English << QStringLiteral("No such file or directory")
                                 << QStringLiteral(": No such file or directory");
    }

    void fileErrors()
    {
        QFETCH(Language, language);
        QFETCH(QString, reason);
        QFETCH(QString, warned);
        QVERIFY(translations.install(language));
        QFile missing(QStringLiteral("/nonexistent/zarvik/board.brd"));
        QVERIFY(!missing.open(QIODevice::ReadOnly));
        QCOMPARE(FileErrors::reason(missing), reason);
        WindowDriver driver;
        driver.dialogs.nextPath = missing.fileName();
        driver.click("BrowseButton");
        driver.click("saveButton");
        QCOMPARE(driver.dialogs.warnings.size(), 2);
        for (const QString &warning : driver.dialogs.warnings)
            QVERIFY2(warning.contains(warned), qPrintable(warning));
    }

    // --lang chooses; without it, English on an English system and French on any other.
    // The help, Qt's options with it, needs no display.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        const QString english = QStringLiteral("Race game for two players");
        const QString french = QStringLiteral("Jeu de course à deux joueurs");
        QTest::newRow("English system") << QStringList{"--help"} << "en_GB.UTF-8" << 0 << english;
        QTest::newRow("German system") << QStringList{"--help"} << "de_DE.UTF-8" << 0 << french;
        QTest::newRow("French help") << QStringList{"-h"} << "C" << 0 << QStringLiteral("  -h, -?, --help   Afficher cette aide.");
        QTest::newRow("--lang fr") << QStringList{"--lang", "fr", "--help"} << "en_US.UTF-8" << 0 << french;
        QTest::newRow("--lang=en") << QStringList{"--lang=en", "--help"} << "fr_FR.UTF-8" << 0 << english;
        QTest::newRow("--help-all") << QStringList{"--help-all"} << "C" << 0 << QStringLiteral("Options de Qt :\n  -platform");
        QTest::newRow("--help-all en") << QStringList{"--help-all"} << "en_GB.UTF-8" << 0 << QStringLiteral("Qt options:\n  -platform");
        QTest::newRow("--help lists it") << QStringList{"--help"} << "C" << 0 << QStringLiteral("--help-all");
        QTest::newRow("--lang de") << QStringList{"--lang", "de", "--version"} << "fr_FR.UTF-8" << 1
                                   << QStringLiteral("Langue inconnue : de (fr ou en).");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, locale);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QProcess zarvik;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(display));
        zarvik.setProcessEnvironment(environment);
        zarvik.start(QStringLiteral(ZARVIK), arguments);
        QVERIFY(zarvik.waitForFinished(60000));
        QCOMPARE(zarvik.exitCode(), exitCode);
        const QString output = QString::fromUtf8(zarvik.readAllStandardOutput() + zarvik.readAllStandardError());
        QVERIFY2(output.contains(said), qPrintable(output));
    }

private:
    Translations translations;
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
