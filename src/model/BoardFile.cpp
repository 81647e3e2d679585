// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardFile.h"

#include "FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr char firstCode = '0', lastCode = '4';
constexpr int shownLength = 12; // of a wrong code quoted in a message
constexpr unsigned char firstPrintable = 0x20, deleteByte = 0x7f;
const QString extension = QStringLiteral("brd");

bool refuse(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString atLine(int line, const QString &what)
{
    return BoardFile::tr("ligne %1 : %2").arg(line).arg(what);
}

QString tooLarge(qint64 size)
{
    return BoardFile::tr("le fichier est trop grand (%1 octets, au plus %2)").arg(size).arg(BoardFile::maxBytes);
}

// Control bytes do not occur in text; \t, \n and \r separate codes and rows.
bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < firstPrintable && c != '\t' && c != '\n' && c != '\r') || byte == deleteByte;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QString quoted(const QByteArray &code)
{
    const QString text = QString::fromUtf8(code.left(shownLength));
    return BoardFile::tr("« %1%2 »").arg(text, code.size() > shownLength ? QStringLiteral("…") : QString());
}

// What is wrong with a row (already without surrounding blanks), or nothing when its
// eight codes are now in grid[x][y].
QString rowFault(const QByteArray &row, int y, BoardFile::Grid &grid)
{
    QList<QByteArray> codes = row.simplified().split(' ');
    if (codes.size() == 1 && row.size() == BoardFile::size) { // "22222222"
        codes.clear();
        for (char c : row)
            codes.append(QByteArray(1, c));
    }
    for (const QByteArray &code : codes)
        if (code.size() != 1 || code[0] < firstCode || code[0] > lastCode)
            return BoardFile::tr("code %1 inconnu (0 à 4)").arg(quoted(code));
    if (codes.size() != BoardFile::size)
        return BoardFile::tr("%1 codes au lieu de %2").arg(codes.size()).arg(BoardFile::size);
    for (int x = 0; x < BoardFile::size; ++x)
        grid[x][y] = codes[x][0] - firstCode;
    return QString();
}

// What makes the bytes no text file of a readable size, or nothing.
QString textFault(const QByteArray &bytes)
{
    if (bytes.size() > BoardFile::maxBytes)
        return tooLarge(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        if (isControl(bytes[i]))
            return atLine(bytes.left(i).count('\n') + 1,
                          BoardFile::tr("le fichier n'est pas du texte (octet %1)").arg(int(uchar(bytes[i]))));
    return QString();
}

// The first line of the text that is not the next row, or nothing when the eight
// rows are in grid.
QString rowsFault(const QByteArray &text, BoardFile::Grid &grid)
{
    int end = text.size();
    while (end > 0 && isSpace(text[end - 1]))
        --end;
    if (end == 0)
        return BoardFile::tr("le fichier est vide");
    // Blank lines at the end are gone: every line left is a row.
    const QList<QByteArray> lines = text.left(end).split('\n');
    for (int y = 0; y < lines.size(); ++y) {
        const QByteArray row = lines[y].trimmed();
        QString fault;
        if (y == BoardFile::size)
            fault = BoardFile::tr("ligne de trop, le plateau a %1 rangées").arg(BoardFile::size);
        else if (row.isEmpty())
            fault = BoardFile::tr("ligne vide au lieu d'une rangée");
        else
            fault = rowFault(row, y, grid);
        if (!fault.isEmpty())
            return atLine(y + 1, fault);
    }
    if (lines.size() < BoardFile::size)
        return atLine(lines.size() + 1, BoardFile::tr("le fichier s'arrête après %1 rangées sur %2")
                                            .arg(lines.size()).arg(BoardFile::size));
    return QString();
}

// Why a save could not even start, in the words of the user's folders.
QString openFault(const QString &path, const QString &detail)
{
    const QFileInfo file(path), folder(file.absolutePath());
    if (file.exists() && !file.isWritable())
        return BoardFile::tr("le fichier est protégé en écriture");
    if (folder.isDir() && !folder.isWritable())
        return BoardFile::tr("le dossier « %1 » n'accepte pas l'écriture").arg(folder.filePath());
    return detail;
}
} // namespace

bool BoardFile::parse(const QByteArray &bytes, Grid &out, QString *error)
{
    Grid grid(size, std::vector<int>(size, 0));
    QString fault = textFault(bytes);
    if (fault.isEmpty())
        fault = rowsFault(bytes, grid);
    if (!fault.isEmpty())
        return refuse(error, fault);
    out = grid;
    return true;
}

bool BoardFile::read(const QString &path, Grid &out, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(error, BoardFile::tr("Impossible d'ouvrir le plateau « %1 » : %2.").arg(path, FileErrors::reason(file)));
    // One byte past the limit tells a file too large without reading it whole.
    const QByteArray bytes = file.read(maxBytes + 1);
    QString fault;
    if (bytes.size() > maxBytes)
        fault = tooLarge(qMax(file.size(), qint64(bytes.size())));
    else if (parse(bytes, out, &fault))
        return true;
    return refuse(error, BoardFile::tr("Le fichier « %1 » n'est pas un plateau : %2.").arg(path, fault));
}

bool BoardFile::write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // A folder that refuses the temporary file beside the board may still let the
    // board itself be rewritten.
    file.setDirectWriteFallback(true);
    QString fault;
    if (!file.open(QIODevice::WriteOnly)) {
        fault = openFault(path, FileErrors::reason(file));
    } else {
        // commit() ignores a failing flush of the write buffer and would install a
        // truncated file (disk full, size limit), so flush and check first.
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            fault = BoardFile::tr("l'écriture s'est arrêtée avant la fin, le disque est peut-être plein (%1)")
                        .arg(FileErrors::reason(file));
            // Cancelled, commit() drops the temporary file, or only closes a board
            // being written in place: the destructor of an open QSaveFile removes
            // the file it writes.
            file.cancelWriting();
        }
        if (!file.commit() && fault.isEmpty())
            fault = FileErrors::reason(file);
    }
    return fault.isEmpty()
           || refuse(error, BoardFile::tr("Impossible d'enregistrer le plateau « %1 » : %2.").arg(path, fault));
}

QString BoardFile::withExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (name.isEmpty() || (dot > 0 && dot < name.size() - 1)) // a leading dot hides a file, it starts no suffix
        return path;
    return path + (dot > 0 ? extension : QLatin1Char('.') + extension); // "name." or "name"
}
