// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageSplitter.h"

#include <QtTest>

namespace {

// Messages as the program writes them, one after the other without separator.
// Board codes read from a file may have several digits or a sign.
const QByteArrayList conversation = {"2 2 2 -1 12 0 2147483647 -2147483648 3 " + QByteArray("0 ").repeated(56),
                                     "3 B2 - B3", "4", "4", "3 H1 - G2", "1 4 4 4 " + QByteArray("0 ").repeated(61),
                                     "5 A7 - A8"};

QByteArrayList drain(MessageSplitter &splitter)
{
    QByteArrayList messages;
    for (MessageSplitter::Message message; splitter.next(message);)
        messages << message.bytes;
    return messages;
}

} // namespace

class TestMessageSplitter : public QObject
{
    Q_OBJECT

private slots:
    // Joined up to any cut, then byte by byte: a message comes out exactly when its
    // last byte has arrived, and the bytes after it wait.
    void everySplitPointGivesTheSameMessages()
    {
        const QByteArray stream = conversation.join();
        for (int cut = 0; cut <= stream.size(); ++cut) {
            MessageSplitter splitter;
            QByteArrayList messages;
            for (int end = cut; end <= stream.size(); ++end) {
                splitter.append(end == cut ? stream.left(cut) : stream.mid(end - 1, 1));
                messages += drain(splitter);
                int complete = 0, length = 0;
                while (complete < conversation.size() && length + conversation[complete].size() <= end)
                    length += conversation[complete++].size();
                QVERIFY2(messages == conversation.mid(0, complete), qPrintable(QString::number(end)));
                QVERIFY(splitter.pendingBytes() == end - length && !splitter.broken());
            }
        }
    }

    // A broken stream gives what came before the fault and nothing after it.
    void unreadableStreams()
    {
        const QList<QPair<QByteArray, QString>> streams = {
            {"7 B2 - B3", "unknown message code"}, {"3B2 - B3", "no space"}, {"2 2 x ", "not a number"},
            {"2 2 - ", "not a number"}, {"1 2  ", "not a number"}, {"1 2147483648 ", "too large"},
            {"1 -2147483649 ", "too large"}, {"1 " + QByteArray(30, '9'), "too large"}, {"3 b2 - b3", "B2 - B3"},
            {"5 I2 - I3", "B2 - B3"}, {"3 B2 B3  ", "B2 - B3"}};
        for (const auto &stream : streams) {
            MessageSplitter splitter;
            splitter.append("4" + stream.first + "4");
            QCOMPARE(drain(splitter), QByteArrayList{"4"});
            QVERIFY2(splitter.broken() && splitter.error().contains(stream.second), qPrintable(splitter.error()));
        }
    }
};

QTEST_APPLESS_MAIN(TestMessageSplitter)
#include "tst_messagesplitter.moc"
