// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestBoards.h"

#include <csignal>
#include <cstdio>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

const QString initialCodes = QString("2 ").repeated(16) + QString("0 ").repeated(32) + QString("4 ").repeated(16);

QByteArray readAll(const QString &path) { QFile f(path); return f.open(QFile::ReadOnly) ? f.readAll() : "?"; }
bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QFile::WriteOnly) && file.write(bytes) == bytes.size();
}

class TestFormats : public QObject
{
    Q_OBJECT

    static void addRow(const char *name, const QByteArray &bytes, const QString &expected)
    {
        QTest::newRow(name) << bytes << expected;
    }

private slots:
    // The bytes of the initial position, read back; a file that cannot be read leaves
    // the board as it was.
    void saveAndLoad()
    {
        QTemporaryDir dir;
        ZarvikBoard board;
        QVERIFY(board.saveToFile(dir.filePath("initial.brd")));
        QCOMPARE(readAll(dir.filePath("initial.brd")), QByteArray("2 2 2 2 2 2 2 2 \n").repeated(2)
                     + QByteArray("0 0 0 0 0 0 0 0 \n").repeated(4) + QByteArray("4 4 4 4 4 4 4 4 \n").repeated(2));
        position(board, "A1:3 H8:1");
        QVERIFY(board.loadFromFile(dir.filePath("initial.brd")) && board.toText() == initialCodes);
        QString error;
        QVERIFY(!board.loadFromFile(dir.filePath("missing.brd"), &error));
        QVERIFY2(error.startsWith("Impossible d'ouvrir le plateau « " + dir.filePath("missing.brd") + " »"), qPrintable(error));
        QCOMPARE(board.toText(), initialCodes);
    }

    void tolerated_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("codes");
        const QByteArray bare = ZarvikBoard().fileText().toLatin1().replace(" \n", "\n");
        addRow("no trailing space", bare, initialCodes);
        addRow("spaces and tabs", QByteArray(bare).replace(' ', " \t  ").replace("\n", "\t \n"), initialCodes);
        addRow("CR LF, no final line end", QByteArray(bare).replace("\n", "\r\n").chopped(2), initialCodes);
        addRow("blank lines at the end", bare + "\r\n \n\t", initialCodes);
        addRow("digits without spaces, small stones", "01234321\n 1 1 1 1 3 3 3 3 \n" + QByteArray("00000000\n").repeated(6),
               "0 1 2 3 4 3 2 1 1 1 1 1 3 3 3 3 " + QString("0 ").repeated(48));
    }

    void tolerated()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        ZarvikBoard board;
        QString error;
        QVERIFY(writeAll(dir.filePath("hand.brd"), bytes));
        QVERIFY2(board.loadFromFile(dir.filePath("hand.brd"), &error), qPrintable(error));
        QTEST(board.toText(), "codes");
    }

    // What is not a board is refused with the file and the first fault named, and the
    // board keeps its position.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        const QByteArray board = ZarvikBoard().fileText().toLatin1();
        const auto withLine = [&](int line, const QByteArray &text) {
            QList<QByteArray> lines = board.split('\n');
            lines[line - 1] = text;
            return lines.join('\n');
        };
        addRow("NUL byte", withLine(3, QByteArray("0 0 0\0 0 0 0 0", 15)), "ligne 3 : le fichier n'est pas du texte (octet 0)");
        addRow("empty", "", "le fichier est vide");
        addRow("prose", "Il était une fois un plateau.\n", "ligne 1 : code « Il » inconnu (0 à 4)");
        addRow("code 5", withLine(5, "0 0 0 5 0 0 0 0"), "ligne 5 : code « 5 » inconnu (0 à 4)");
        addRow("code -1", withLine(2, "2 2 -1 2 2 2 2 2"), "ligne 2 : code « -1 » inconnu");
        addRow("9 codes", withLine(3, "0 0 0 0 0 0 0 0 0"), "ligne 3 : 9 codes au lieu de 8");
        addRow("7 rows", board.left(7 * 17), "ligne 8 : le fichier s'arrête après 7 rangées sur 8");
        addRow("blank row", "\n" + board.left(7 * 17), "ligne 1 : ligne vide au lieu d'une rangée");
        addRow("5 MB", QByteArray(5 << 20, '2'), "le fichier est trop grand (5242880 octets, au plus 4096)");
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.brd");
        ZarvikBoard board;
        position(board, "A8:1 D4:3 H1:4");
        const QString before = board.toText();
        QString error;
        QVERIFY(writeAll(path, bytes) && !board.loadFromFile(path, &error));
        QVERIFY2(error.startsWith("Le fichier « " + path + " » n'est pas un plateau : ") && error.contains(fault),
                 qPrintable(error));
        QCOMPARE(board.toText(), before);
    }

    // A save that fails half-way (here on the file size limit) leaves the old file
    // as it was and no stray file beside it.
    void failedSaveLeavesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.brd");
        rlimit normal{};
        QVERIFY(writeAll(path, "old content\n") && getrlimit(RLIMIT_FSIZE, &normal) == 0);
        const rlimit small{20, normal.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // so that exceeding the limit is an error, not the end
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        QString error;
        const bool saved = ZarvikBoard().saveToFile(path, &error);
        setrlimit(RLIMIT_FSIZE, &normal);
        QVERIFY(!saved && readAll(path) == "old content\n");
        QVERIFY2(error.startsWith("Impossible d'enregistrer le plateau « " + path + " » : l'écriture s'est arrêtée"),
                 qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("old.brd"));
    }

    // In a folder the user may not write to, a writable board is rewritten in place
    // and cut to its new length; a new board, or a protected one, is refused with a
    // reason. Run by an ordinary user, since root writes anywhere.
    void saveInReadOnlyFolder()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("locked"), path = folder + "/board.brd", kept = folder + "/kept.brd";
        const passwd *nobody = getpwnam("nobody");
        const bool root = geteuid() == 0;
        QVERIFY(QDir().mkdir(folder) && writeAll(path, QByteArray(500, '0')) && writeAll(kept, "kept\n"));
        QVERIFY(!root || (nobody && chown(qPrintable(path), nobody->pw_uid, nobody->pw_gid) == 0));
        QVERIFY(chmod(qPrintable(dir.path()), 0755) == 0 && chmod(qPrintable(kept), 0444) == 0
                && chmod(qPrintable(folder), 0555) == 0);
        constexpr int cannotTell = 77;
        const pid_t child = fork();
        if (child == 0) {
            if (root && (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
                _exit(cannotTell);
            if (access(qPrintable(path), W_OK) != 0 || access(qPrintable(folder), W_OK) == 0)
                _exit(cannotTell); // permissions do not bite here, or the folder cannot be reached
            QString newError, keptError;
            const bool ok = ZarvikBoard().saveToFile(path) && !ZarvikBoard().saveToFile(folder + "/new.brd", &newError)
                            && !ZarvikBoard().saveToFile(kept, &keptError)
                            && newError.endsWith(" : le dossier « " + folder + " » n'accepte pas l'écriture.")
                            && keptError.endsWith(" : le fichier est protégé en écriture.");
            if (!ok)
                std::fprintf(stderr, "%s\n%s\n", qPrintable(newError), qPrintable(keptError));
            _exit(ok ? 0 : 1);
        }
        int status = -1;
        QVERIFY(child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status));
        chmod(qPrintable(folder), 0755);
        if (WEXITSTATUS(status) == cannotTell)
            QSKIP("no user here is refused writing into a read-only folder");
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readAll(path), ZarvikBoard().fileText().toLatin1());
        QCOMPARE(readAll(kept), QByteArray("kept\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"board.brd", "kept.brd"}));
    }

    void parse()
    {
        const auto parsed = [](const QByteArray &text) {
            Move m;
            m.captured = 3; // left alone
            return m.parse(text, 8, 8) ? QList<int>{m.fromX, m.fromY, m.toX, m.toY, m.captured} : QList<int>();
        };
        const QList<int> b2b3 = {1, 6, 1, 5, 3}, origin = {1, 6, -1, -1, 3}, a8h1 = {0, 0, 7, 7, 3};
        for (const QByteArray &text : QByteArrayList{"B2 - B3", "B2-B3", "B2B3", "  B2--B3", "B2 - B3\n", "B02 - B03",
                                                     "B" + QByteArray(40, '0') + "2 - B3"})
            QVERIFY2(parsed(text) == b2b3, text.constData());
        QVERIFY(parsed("A8 - H1") == a8h1 && parsed("B2") == origin && parsed("B2 - ") == origin);
        for (const QByteArray &text : QByteArrayList{"b2 - b3", "B2 - b3", "I2 - I3", "H2 - I3", "B9 - B8", "B1 - B0",
                 "B2 - B", "B - B3", "", "   ", "B2\n", "A" + QByteArray(50, '9'), "A1 - A" + QByteArray(50, '7')})
            QVERIFY2(parsed(text).isEmpty(), text.constData());
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
