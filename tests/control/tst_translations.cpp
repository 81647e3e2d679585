#include "FileErrors.h"
#include "Translations.h"
#include "WindowDriver.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// Qt's own texts in French once its catalogue is installed: looked up directly, shown
// by Qt's widgets, and the file errors that the window reports.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(translations.installQtFrench(), "qtbase_fr.qm (qttranslations5-l10n) is missing"); }

    void qtTexts_data()
    {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("english");
        QTest::addColumn<QString>("french");
        QTest::newRow("button") << QByteArray("QPlatformTheme") << QByteArray("Cancel") << QStringLiteral("Annuler");
        QTest::newRow("replace") << QByteArray("QFileDialog")
                                 << QByteArray("%1 already exists.\nDo you want to replace it?")
                                 << QStringLiteral("Le fichier %1 existe déjà\nVoulez-vous l'écraser ?");
        QTest::newRow("socket") << QByteArray("QAbstractSocket") << QByteArray("Connection refused")
                                << QStringLiteral("Connexion refusée");
    }

    void qtTexts()
    {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, english);
        QFETCH(QString, french);
        QCOMPARE(QCoreApplication::translate(context.constData(), english.constData()), french);
    }

    void widgetsShowFrench()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Voir dans :"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text(),
                 QStringLiteral("&Nom de fichier :"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
    }

    // Qt leaves these reasons in English; the window's warnings must not.
    void fileErrorsInFrench()
    {
        QFile missing(QStringLiteral("/nonexistent/zarvik/board.brd"));
        QVERIFY(!missing.open(QIODevice::ReadOnly));
        QCOMPARE(FileErrors::reason(missing), QStringLiteral("Aucun fichier ou dossier"));
        WindowDriver driver;
        driver.dialogs.nextPath = missing.fileName();
        driver.click("BrowseButton");
        driver.click("saveButton");
        QCOMPARE(driver.dialogs.warnings.size(), 2);
        for (const QString &warning : driver.dialogs.warnings)
            QVERIFY2(warning.contains(QStringLiteral(" : Aucun fichier ou dossier")), qPrintable(warning));
    }

private:
    Translations translations;
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
