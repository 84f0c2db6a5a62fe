#include "viewer/viewrequest.h"

#include <QDir>
#include <QStringDecoder>
#include <QUrl>

#include <optional>

namespace tamo {

namespace {

const QString kLinkForms =
    QStringLiteral("Ein Verweis lautet quarntamo:THEMA oder quarntamo:?suche=ANFRAGE.");

ViewRequest failed(const QString &message)
{
    ViewRequest request;
    request.error = message;
    return request;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes %XX escapes of UTF-8 text (and '+' as a blank where plusIsBlank); nullopt where an
// escape is broken or the bytes are no UTF-8.
std::optional<QString> percentDecoded(const QString &text, bool plusIsBlank)
{
    const QByteArray bytes = text.toUtf8();
    QByteArray decoded;
    decoded.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '%') {
            const int high = i + 2 < bytes.size() ? hexValue(bytes[i + 1]) : -1;
            const int low = i + 2 < bytes.size() ? hexValue(bytes[i + 2]) : -1;
            if (high < 0 || low < 0)
                return std::nullopt;
            decoded += char(high * 16 + low);
            i += 2;
        } else {
            decoded += (plusIsBlank && c == '+') ? ' ' : c;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString result = utf8(decoded);
    if (utf8.hasError())
        return std::nullopt;
    return result;
}

ViewRequest request(ViewRequest::Kind kind, const QString &text)
{
    ViewRequest r;
    r.kind = kind;
    r.text = text;
    return r;
}

QString tooLong(const QString &what)
{
    return QStringLiteral("%1 ist länger als %2 Zeichen.").arg(what).arg(kLongestRequestText);
}

} // namespace

bool isLink(const QString &text)
{
    const QString prefix = QString::fromLatin1(kLinkScheme) + u':';
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

ViewRequest parseLink(const QString &link)
{
    if (!isLink(link))
        return failed(kLinkForms);
    if (link.size() > kLongestLink)
        return failed(QStringLiteral("Der Verweis ist länger als %1 Zeichen.").arg(kLongestLink));
    QString rest = link.mid(qsizetype(sizeof kLinkScheme)); // after "quarntamo:"
    if (const qsizetype hash = rest.indexOf(u'#'); hash >= 0)
        rest.truncate(hash);
    if (rest.startsWith(u'?')) {
        const QString key = QStringLiteral("?suche=");
        if (!rest.startsWith(key) || rest.indexOf(u'&') >= 0)
            return failed(QStringLiteral("Der Verweis nennt anderes als eine Suche. ") +
                          kLinkForms);
        const std::optional<QString> query = percentDecoded(rest.mid(key.size()), true);
        if (!query)
            return failed(QStringLiteral("Der Verweis ist falsch kodiert (UTF-8 mit %XX)."));
        return checkedRequest(request(ViewRequest::Kind::Search, *query));
    }
    if (rest.indexOf(u'?') >= 0 || rest.startsWith(QStringLiteral("//")))
        return failed(kLinkForms);
    const std::optional<QString> name = percentDecoded(rest, false);
    if (!name)
        return failed(QStringLiteral("Der Verweis ist falsch kodiert (UTF-8 mit %XX)."));
    return checkedRequest(request(ViewRequest::Kind::Topic, *name));
}

ViewRequest checkedRequest(ViewRequest r)
{
    const bool topic = r.kind == ViewRequest::Kind::Topic;
    if (!topic && r.kind != ViewRequest::Kind::Search)
        return r;
    if (r.text.trimmed().isEmpty())
        return failed(topic ? QStringLiteral("Der Name des Themas ist leer.")
                            : QStringLiteral("Die Suchanfrage ist leer."));
    if (r.text.size() > kLongestRequestText)
        return failed(tooLong(topic ? QStringLiteral("Der Name des Themas")
                                    : QStringLiteral("Die Suchanfrage")));
    return r;
}

QString localPathOfFileUrl(const QString &url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const bool thisHost = parsed.host().isEmpty() || parsed.host() == u"localhost";
    if (!parsed.isValid() || parsed.scheme() != u"file" || !thisHost)
        return {};
    const QString path = parsed.toLocalFile();
    return QDir::isAbsolutePath(path) ? path : QString();
}

ViewRequest parseStartArguments(const QStringList &arguments)
{
    std::optional<ViewRequest> taken;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        ViewRequest next;
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(u'-')) {
            std::optional<ViewRequest::Kind> kind;
            QString option = argument;
            QString value;
            bool hasValue = false;
            if (const qsizetype equals = argument.indexOf(u'='); equals > 0) {
                option = argument.left(equals);
                value = argument.mid(equals + 1);
                hasValue = true;
            }
            if (option == u"--topic")
                kind = ViewRequest::Kind::Topic;
            else if (option == u"--search")
                kind = ViewRequest::Kind::Search;
            else
                return failed(QStringLiteral("unbekannte Option %1").arg(argument));
            if (!hasValue) {
                if (i + 1 >= arguments.size())
                    return failed(*kind == ViewRequest::Kind::Topic
                                      ? QStringLiteral("Nach --topic fehlt der Name des Themas.")
                                      : QStringLiteral("Nach --search fehlt die Suchanfrage."));
                value = arguments[++i];
            }
            next = checkedRequest(request(*kind, value));
        } else if (isLink(argument)) {
            next = parseLink(argument);
        } else if (argument.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
            const QString path = localPathOfFileUrl(argument);
            if (path.isEmpty())
                return failed(QStringLiteral("Nur Dateien dieses Rechners können gelesen werden."));
            next = request(ViewRequest::Kind::Documentation, path);
        } else {
            next = request(ViewRequest::Kind::Documentation, argument);
        }
        if (!next.error.isEmpty())
            return next;
        if (taken) {
            const bool bothDocumentation = taken->kind == ViewRequest::Kind::Documentation &&
                                           next.kind == ViewRequest::Kind::Documentation;
            return failed(bothDocumentation
                              ? QStringLiteral("nur ein Verzeichnis oder eine Datei angeben")
                              : QStringLiteral("nur eine Anfrage angeben: --topic, --search, "
                                               "einen Verweis, ein Verzeichnis oder eine Datei"));
        }
        taken = next;
    }
    return taken.value_or(ViewRequest{});
}

} // namespace tamo
