#pragma once

#include <QString>
#include <QStringList>

namespace tamo {

// What a start of the viewer, a call on the session bus or a quarntamo: link asks for.
//   Plain          show the viewer (a start without arguments: raise the running window)
//   Topic          show the topic named text, as following a related topic does
//   Search         run the full search for text, as Enter in the query box does
//   Documentation  read the documentation text names (a directory or a file, as given)
struct ViewRequest {
    enum class Kind { Plain, Topic, Search, Documentation };
    Kind kind = Kind::Plain;
    QString text;
    QString error; // set when the request cannot be used: a German message, and kind is Plain

    bool operator==(const ViewRequest &) const = default;
};

// The longest topic name or query a request carries (characters), and the longest link
// (characters, as written, percent escapes included). A request from anyone is refused beyond
// them rather than read whole, as the settings file's line is.
inline constexpr qsizetype kLongestRequestText = 4096;
inline constexpr qsizetype kLongestLink = 3 * kLongestRequestText + 32;

// The link scheme the viewer handles.
inline constexpr char kLinkScheme[] = "quarntamo";

// A quarntamo: link. Two forms, UTF-8 percent-encoded where needed:
//   quarntamo:NAME             the topic NAME (everything up to a '#', decoded)
//   quarntamo:?suche=QUERY     a search; '+' stands for a blank, as in web forms
// A link only ever asks for a topic or a search: nothing else in it is taken.
//   "quarntamo:Datei_%C3%B6ffnen"    -> Topic "Datei_öffnen"
//   "quarntamo:?suche=Datei+Zugriff" -> Search "Datei Zugriff"
//   "quarntamo:"                      -> error: no topic named
ViewRequest parseLink(const QString &link);

// True when text is a link of the viewer's scheme (the scheme compared without regard to case).
bool isLink(const QString &text);

// A topic or search request with its text checked: not empty (or blanks only), not over
// kLongestRequestText. Documentation and Plain pass unchanged.
ViewRequest checkedRequest(ViewRequest request);

// The absolute path of a file: URL of this computer ("file:///a%20b" -> "/a b"; the host
// empty or localhost), else an empty text.
QString localPathOfFileUrl(const QString &url);

// The viewer's command line, its own options already taken out by the toolkit:
//   (nothing)                 Plain
//   --topic NAME, --topic=NAME    Topic
//   --search QUERY, --search=QUERY    Search
//   quarntamo:...             the link's request
//   file:///PATH              Documentation PATH (a local file URL, as launchers pass it)
//   PATH                      Documentation PATH (checked against the file system by the caller)
// "--" ends the options. Only one request is taken: a second one, or an unknown option, is an
// error, and so is an empty or overlong name or query.
ViewRequest parseStartArguments(const QStringList &arguments);

} // namespace tamo
