#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

namespace tarvex {

/// The names of the keys as the user reads them. A combination is stored with the English
/// tokens of the key table ("(Home)"); where the user reads it (the key boxes, the hotkey list,
/// the messages that quote a combination) each token shows its name in the user's language
/// ("(Inicio)" in Spanish). Letters, digits and tokens without a translation read as stored.
/// An instance holds the names of the language loaded when it was made.
class KeyNames final
{
public:
    /// Reads the shown names of the current language.
    KeyNames();

    /// Returns combination `stored` with each token replaced by its shown name.
    static QString Displayed(QStringView stored);

    /// Returns the combination of the shown text `displayed`: each shown name becomes its
    /// token; everything else stays.
    QString stored(QStringView displayed) const;
    /// Returns the length of the key name, stored or shown, that starts `text` at `from`
    /// (exact letter case), else 0.
    qsizetype nameLengthAt(QStringView text, qsizetype from) const;
    /// Returns the length of the key name, stored or shown, that ends `text` (any letter
    /// case), else 0.
    qsizetype trailingNameLength(QStringView text) const;

private:
    QHash<QString, QString> m_tokenOfShown; // the names that differ from their tokens
};

} // namespace tarvex
