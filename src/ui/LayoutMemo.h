#pragma once
// What earlier runs found out at their first paint, kept in the user's cache so that a
// start need not search again: the point size that gives a face its pixel height, and
// the instructions font fitted to a client area. Each search loads the faces at several
// sizes and breaks the whole page into lines several times, which is most of the first
// paint's own work.
//
// Measurements hold only for the fonts and the rendering they were made with, so the
// memo carries the signature of those and forgets everything under another one; every
// entry is also checked against a measurement before it is used.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/Types.h"

namespace vexadra {

// A face made at `points` has a character cell `cell` pixels high, and one point more
// would be higher than the height asked for.
struct RememberedPointSize {
    int points = 0;
    int cell = 0;
};

// The instructions font fitted to a client area, with the extent in that font of every
// character of the page once, as one line: a check that its glyphs still measure as
// they did.
struct RememberedFit {
    int fontHeight = 0;
    Size sampleExtent;
};

class LayoutMemo {
public:
    // At most this many entries of each kind are kept; the oldest go first.
    static constexpr std::size_t kMaxPointSizes = 64;
    static constexpr std::size_t kMaxFits = 16;

    // A memo from its saved text; what is not understood is left out.
    static LayoutMemo FromText(std::string_view text);
    std::string ToText() const;

    // Forgets everything unless the entries were made under this signature.
    void UseSignature(const std::string& signature);

    const RememberedPointSize* FindPointSize(std::string_view face, bool bold, int height) const;
    void RememberPointSize(std::string_view face, bool bold, int height, RememberedPointSize size);
    const RememberedFit* FindFit(Size client, std::uint64_t pageKey) const;
    void RememberFit(Size client, std::uint64_t pageKey, RememberedFit fit);

    // Something was learned or forgotten since the memo was read or last saved.
    bool Changed() const { return m_changed; }
    void Saved() { m_changed = false; }

private:
    struct PointSizeEntry {
        std::string face;
        bool bold = false;
        int height = 0;
        RememberedPointSize size;
    };
    struct FitEntry {
        Size client;
        std::uint64_t pageKey = 0;
        RememberedFit fit;
    };

    std::string m_signature;
    std::vector<PointSizeEntry> m_sizes;
    std::vector<FitEntry> m_fits;
    bool m_changed = false;
};

// A key for a text (64-bit FNV-1a): the page a fit was made for.
std::uint64_t TextKey(std::string_view text);

// The memo in this file; empty when the file is missing, unreadable or too large.
LayoutMemo ReadLayoutMemo(const std::string& path);
// Writes the memo whole or not at all (another file renamed over it); makes the folder.
// A cache that cannot be written costs nothing but the next start's searching.
bool WriteLayoutMemo(const std::string& path, const LayoutMemo& memo);

} // namespace vexadra
