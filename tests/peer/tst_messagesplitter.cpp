#include "MessageSplitter.h"

#include <QtTest>

namespace {

QByteArray boardMessage(char code, const QList<int> &firstCells)
{
    QByteArray bytes = QByteArray(1, code) + ' ';
    for (int i = 0; i < MessageSplitter::cellCount; ++i)
        bytes += QByteArray::number(i < firstCells.size() ? firstCells[i] : 0) + ' ';
    return bytes;
}

// Messages as the program writes them, one after the other without separator.
const QList<QByteArray> conversation = {
    boardMessage('2', {2, 2, -1, 12, 0, 2147483647, -2147483648, 3}),
    "3 B2 - B3",
    "4",
    "4",
    "3 H1 - G2",
    boardMessage('1', {4, 4, 4}),
    "5 A7 - A8",
};

QByteArray joined()
{
    QByteArray bytes;
    for (const QByteArray &message : conversation)
        bytes += message;
    return bytes;
}

QList<QByteArray> drain(MessageSplitter &splitter)
{
    QList<QByteArray> messages;
    MessageSplitter::Message message;
    while (splitter.next(message))
        messages << message.bytes;
    return messages;
}

} // namespace

class TestMessageSplitter : public QObject
{
    Q_OBJECT

private slots:
    // Cut anywhere, a message comes out exactly when its last byte has arrived.
    void everySplitPointGivesTheSameMessages()
    {
        const QByteArray stream = joined();
        for (int cut = 0; cut <= stream.size(); ++cut) {
            MessageSplitter splitter;
            splitter.append(stream.left(cut));
            QList<QByteArray> messages = drain(splitter);
            int complete = 0;
            for (int length = 0; complete < conversation.size() && length + conversation[complete].size() <= cut;
                 ++complete)
                length += conversation[complete].size();
            QCOMPARE(messages, conversation.mid(0, complete));
            splitter.append(stream.mid(cut));
            messages += drain(splitter);
            QCOMPARE(messages, conversation);
            QCOMPARE(splitter.pendingBytes(), 0);
            QVERIFY(!splitter.broken());
        }
    }

    void byteByByteGivesTheSameMessages()
    {
        MessageSplitter splitter;
        QList<QByteArray> messages;
        for (const char byte : joined()) {
            splitter.append(QByteArray(1, byte));
            messages += drain(splitter);
        }
        QCOMPARE(messages, conversation);
    }

    void contentsAreDecoded()
    {
        MessageSplitter splitter;
        splitter.append(joined());
        MessageSplitter::Message message;
        QVERIFY(splitter.next(message));
        QCOMPARE(message.code, '2');
        QCOMPARE(int(message.cells.size()), 64);
        QCOMPARE(std::vector<int>(message.cells.begin(), message.cells.begin() + 9),
                 std::vector<int>({2, 2, -1, 12, 0, 2147483647, -2147483648, 3, 0}));
        QVERIFY(message.moveText.isEmpty());
        QVERIFY(splitter.next(message));
        QCOMPARE(message.code, '3');
        QCOMPARE(message.moveText, QByteArray("B2 - B3"));
        QVERIFY(message.cells.empty());
        QVERIFY(splitter.next(message));
        QCOMPARE(message.code, '4');
        QCOMPARE(message.bytes, QByteArray("4"));
    }

    void unreadableStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown code") << QByteArray("7 B2 - B3") << "unknown message code";
        QTest::newRow("line feed") << QByteArray("\n") << "unknown message code";
        QTest::newRow("no space") << QByteArray("3B2 - B3") << "no space";
        QTest::newRow("letter in board") << QByteArray("2 2 x ") << "not a number";
        QTest::newRow("lone minus") << QByteArray("2 2 - ") << "not a number";
        QTest::newRow("double space") << QByteArray("1 2  ") << "not a number";
        QTest::newRow("too large") << QByteArray("1 2147483648 ") << "too large";
        QTest::newRow("too small") << QByteArray("1 -2147483649 ") << "too large";
        QTest::newRow("endless digits") << QByteArray("1 ") + QByteArray(30, '9') << "too large";
        QTest::newRow("lower case") << QByteArray("3 b2 - b3") << "B2 - B3";
        QTest::newRow("off the board") << QByteArray("5 I2 - I3") << "B2 - B3";
        QTest::newRow("no hyphen") << QByteArray("3 B2 B3  ") << "B2 - B3";
    }

    // A broken stream gives what came before the fault and nothing after it.
    void unreadableStreams()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, reason);
        MessageSplitter splitter;
        splitter.append("4" + stream);
        QCOMPARE(drain(splitter), QList<QByteArray>({"4"}));
        QVERIFY(splitter.broken());
        QVERIFY2(splitter.error().contains(reason), qPrintable(splitter.error()));
        splitter.append("4");
        QVERIFY(drain(splitter).isEmpty());
    }

    void aMessageBegunWaitsForTheRest()
    {
        MessageSplitter splitter;
        splitter.append("3 B2 -");
        QVERIFY(drain(splitter).isEmpty());
        QCOMPARE(splitter.pendingBytes(), 6);
        QVERIFY(!splitter.broken());
        splitter.append(" B32 -");
        QCOMPARE(drain(splitter), QList<QByteArray>({"3 B2 - B3"}));
        QCOMPARE(splitter.pendingBytes(), 3);
        QVERIFY(!splitter.broken());
    }
};

QTEST_APPLESS_MAIN(TestMessageSplitter)
#include "tst_messagesplitter.moc"
