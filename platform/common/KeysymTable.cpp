#include "platform/common/KeysymTable.h"

#include "platform/KeyTable.h"

#include <QHash>

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <initializer_list>

namespace tarvex {

namespace {

struct KeysymIndex
{
    QHash<quint32, int> ofKeysym;
    std::array<quint8, 256> ofPosition{};
};

const KeysymIndex& Index()
{
    static const KeysymIndex index = [] {
        KeysymIndex built;
        for (const KeyTableEntry& key : KeyTable) {
            for (const quint32 keysym : key.keysyms) {
                if (keysym != 0)
                    built.ofKeysym.insert(keysym, key.code);
            }
            if (key.position != 0)
                built.ofPosition[key.position] = key.code;
        }
        return built;
    }();
    return index;
}

} // namespace

int virtualKeyForKeysym(unsigned long keysym)
{
    return keysym > 0xffffffffUL ? 0 : Index().ofKeysym.value(quint32(keysym), 0);
}

int virtualKeyForKeycodePosition(int keycode)
{
    return keycode > 0 && keycode < 256 ? Index().ofPosition[keycode] : 0;
}

// So letters follow the layout; the digits of a French layout sit on the shifted level, the
// Latin letters under a Cyrillic layout in the first group.
int virtualKeyForKey(int keycode, int group, const KeysymAt& keysymAt)
{
    for (const unsigned long candidate :
         {keysymAt(group, 0), keysymAt(group, 1), keysymAt(0, 0), keysymAt(0, 1)}) {
        if (const int code = virtualKeyForKeysym(candidate))
            return code;
    }
    return virtualKeyForKeycodePosition(keycode);
}

std::vector<uint32_t> keysymsOfText(const QString& text)
{
    std::vector<uint32_t> keysyms;
    const QList<uint> characters = text.toUcs4();
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const uint c = characters.at(i);
        if (c == '\r' || c == '\n') {
            keysyms.push_back(XKB_KEY_Return);
            if (c == '\r' && i + 1 < characters.size() && characters.at(i + 1) == '\n')
                ++i;
        } else if (const xkb_keysym_t keysym = xkb_utf32_to_keysym(c)) {
            keysyms.push_back(keysym);
        }
    }
    return keysyms;
}

} // namespace tarvex
