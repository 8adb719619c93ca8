#include "pdfreader.h"

#include <QRegularExpression>
#include <QtEndian>

namespace {

QHash<uint, QString> parseToUnicode(const QByteArray& cmap) {
    QHash<uint, QString> map;
    const QString text = QString::fromLatin1(cmap);
    auto code = [](const QString& hex) { return hex.toUInt(nullptr, 16); };
    auto unicode = [](const QString& hex) {
        QString s;
        for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
            s += QChar(static_cast<char16_t>(hex.mid(i, 4).toUShort(nullptr, 16)));
        return s;
    };
    static const QRegularExpression arrayRange(R"(<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*\[([^\]]*)\])");
    for (const auto& m : arrayRange.globalMatch(text)) {
        static const QRegularExpression item("<([0-9A-Fa-f]+)>");
        uint c = code(m.captured(1));
        for (const auto& target : item.globalMatch(m.captured(3)))
            map.insert(c++, unicode(target.captured(1)));
    }
    static const QRegularExpression plainRange(R"(<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>)");
    for (const auto& m : plainRange.globalMatch(text)) {
        const uint first = code(m.captured(1)), last = code(m.captured(2));
        const uint target = code(m.captured(3));
        for (uint c = first; c <= last && c - first < 65536; ++c)
            map.insert(c, QString(QChar(static_cast<char16_t>(target + c - first))));
    }
    return map;
}

}  // namespace

PdfReader::PdfReader(QByteArray data) : m_data(std::move(data)) {
    static const QRegularExpression objects(R"((\d+) 0 obj\b)");
    for (const auto& m : objects.globalMatch(QString::fromLatin1(m_data))) {
        const qsizetype end = m_data.indexOf("endobj", m.capturedEnd());
        if (end > 0)
            m_objects.insert(m.captured(1).toInt(), m_data.mid(m.capturedEnd(), end - m.capturedEnd()));
    }
}

QByteArray PdfReader::object(int number) const {
    return m_objects.value(number);
}

QByteArray PdfReader::stream(int number) const {
    const QByteArray body = object(number);
    qsizetype start = body.indexOf("stream");
    if (start < 0) return {};
    start += 6;
    if (body.mid(start, 2) == "\r\n")
        start += 2;
    else if (body.at(start) == '\n')
        start += 1;
    const QByteArray raw = body.mid(start, body.lastIndexOf("endstream") - start);
    if (!body.left(start).contains("/FlateDecode")) return raw;
    // qUncompress wants the expected size first; it grows its buffer when the guess is short.
    QByteArray framed(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(raw.size() * 4), framed.data());
    return qUncompress(framed + raw);
}

QHash<QByteArray, QHash<uint, QString>> PdfReader::fontMaps() const {
    QHash<QByteArray, QHash<uint, QString>> maps;
    static const QRegularExpression fontResource(R"(/(F\d+)\s+(\d+)\s+0\s+R)");
    static const QRegularExpression toUnicode(R"(/ToUnicode\s+(\d+)\s+0\s+R)");
    for (const QByteArray& body : m_objects) {
        for (const auto& m : fontResource.globalMatch(QString::fromLatin1(body))) {
            const auto font = toUnicode.match(QString::fromLatin1(object(m.captured(2).toInt())));
            if (font.hasMatch())
                maps.insert(m.captured(1).toLatin1(), parseToUnicode(stream(font.captured(1).toInt())));
        }
    }
    return maps;
}

int PdfReader::pageCount() const {
    static const QRegularExpression page(R"(/Type\s*/Page(?![a-zA-Z]))");
    int count = 0;
    for (const QByteArray& body : m_objects)
        count += page.match(QString::fromLatin1(body)).hasMatch() ? 1 : 0;
    return count;
}

QStringList PdfReader::pageTexts() const {
    const auto maps = fontMaps();
    QStringList texts;
    static const QRegularExpression kids(R"(/Type\s*/Pages.*?/Kids\s*\[([^\]]*)\])",
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression reference(R"((\d+)\s+0\s+R)");
    static const QRegularExpression contents(R"(/Contents\s+(\d+)\s+0\s+R)");
    static const QRegularExpression operation(R"(/(F\d+)\s+[\d.]+\s+Tf|<([0-9A-Fa-f]*)>\s*Tj|\bET\b)");
    for (const QByteArray& body : m_objects) {
        const auto list = kids.match(QString::fromLatin1(body));
        if (!list.hasMatch()) continue;
        for (const auto& kid : reference.globalMatch(list.captured(1))) {
            const auto content = contents.match(QString::fromLatin1(object(kid.captured(1).toInt())));
            QString text;
            QByteArray font;
            for (const auto& op :
                 operation.globalMatch(QString::fromLatin1(stream(content.captured(1).toInt())))) {
                if (!op.captured(1).isEmpty()) {
                    font = op.captured(1).toLatin1();
                } else if (op.captured(0) == QStringLiteral("ET")) {
                    text += QLatin1Char('\n');
                } else {
                    const QString hex = op.captured(2);
                    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
                        text += maps.value(font).value(hex.mid(i, 4).toUInt(nullptr, 16));
                }
            }
            // Qt maps the space glyph to a tab.
            texts << text.replace(QLatin1Char('\t'), QLatin1Char(' '));
        }
        break;
    }
    return texts;
}
