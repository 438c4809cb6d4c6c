#include "store/WebAddress.h"

#include <QCoreApplication>
#include <QUrl>

namespace tarvex {
namespace {

bool IsSchemeCharacter(QChar c, bool first)
{
    const char16_t u = c.unicode();
    const bool letter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    if (first)
        return letter;
    return letter || (u >= '0' && u <= '9') || u == '+' || u == '-' || u == '.';
}

// Length of a scheme and its "://" at the start of `text`, or 0 when there is none.
qsizetype SchemeWithSlashes(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsSchemeCharacter(text.at(i), i == 0))
        ++i;
    return i > 0 && text.sliced(i).startsWith(u"://") ? i + 3 : 0;
}

} // namespace

bool IsWebAddress(const QString& target)
{
    return target.startsWith(u"http:", Qt::CaseInsensitive) ||
           target.startsWith(u"https:", Qt::CaseInsensitive) || SchemeWithSlashes(target) > 0;
}

QString WithoutDoubledWebPrefix(const QString& text)
{
    const QStringView prefix = u"http://";
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return text;
    const QString rest = text.sliced(prefix.size());
    return IsWebAddress(rest) ? rest : text;
}

QString ValidateWebAddress(const QString& address)
{
    if (!QUrl(address).host().isEmpty())
        return {};
    return QCoreApplication::translate(
               "tarvex::WebAddress",
               "The website address \"%1\" has no valid host name. Enter the whole "
               "address, such as http://example.org.")
        .arg(address);
}

} // namespace tarvex
