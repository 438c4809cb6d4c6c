#pragma once

#include <QString>

#include <initializer_list>

// A key-code sequence as the text the core carries it in: one character per code.
inline QString Codes(std::initializer_list<int> codes)
{
    QString text;
    for (int code : codes)
        text.append(QChar(code));
    return text;
}
