// The solver's memory of boards: packed keys in one array and an open-addressing index over them.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace tk::search {

// Every state is a fixed number of 64-bit words; state n's key starts at word n × width.
// The index holds state numbers only, so a state costs its key plus about eight bytes.
class StateTable {
public:
    explicit StateTable(int width) : width_(width) { slots_.assign(1024, kEmpty); }

    int Width() const { return width_; }
    std::size_t Size() const { return keys_.size() / static_cast<std::size_t>(width_); }
    const std::uint64_t* Key(std::uint32_t id) const { return &keys_[std::size_t(id) * width_]; }

    // The number of the state with this key, and whether there is one.
    std::pair<std::uint32_t, bool> Find(const std::uint64_t* key) const {
        for (std::size_t i = hash(key) & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
            const std::uint32_t id = slots_[i];
            if (id == kEmpty) return {0, false};
            if (same(Key(id), key)) return {id, true};
        }
    }

    // The number of the state with this key, and whether it was added just now. One probe
    // sequence serves both the lookup and the insertion.
    std::pair<std::uint32_t, bool> FindOrAdd(const std::uint64_t* key) {
        if ((Size() + 1) * 2 > slots_.size()) grow();
        std::size_t i = hash(key) & (slots_.size() - 1);
        for (;; i = (i + 1) & (slots_.size() - 1)) {
            const std::uint32_t id = slots_[i];
            if (id == kEmpty) break;
            if (same(Key(id), key)) return {id, false};
        }
        const auto id = static_cast<std::uint32_t>(Size());
        keys_.insert(keys_.end(), key, key + width_);
        slots_[i] = id;
        return {id, true};
    }

    std::size_t BytesUsed() const {
        return keys_.capacity() * sizeof(std::uint64_t) + slots_.capacity() * sizeof(std::uint32_t);
    }

private:
    static constexpr std::uint32_t kEmpty = 0xffffffffu;

    std::size_t hash(const std::uint64_t* key) const {
        std::uint64_t h = 0x9e3779b97f4a7c15ull;
        for (int w = 0; w < width_; ++w) {
            h = (h ^ key[w]) * 0xbf58476d1ce4e5b9ull;
            h ^= h >> 31;
        }
        return static_cast<std::size_t>(h * 0x94d049bb133111ebull >> 16);
    }
    bool same(const std::uint64_t* a, const std::uint64_t* b) const {
        for (int w = 0; w < width_; ++w)
            if (a[w] != b[w]) return false;
        return true;
    }
    void grow() {
        std::vector<std::uint32_t> bigger(slots_.size() * 2, kEmpty);
        const std::size_t mask = bigger.size() - 1;
        for (std::uint32_t id = 0; id < Size(); ++id) {
            std::size_t i = hash(Key(id)) & mask;
            while (bigger[i] != kEmpty) i = (i + 1) & mask;
            bigger[i] = id;
        }
        slots_.swap(bigger);
    }

    int width_;
    std::vector<std::uint64_t> keys_;
    std::vector<std::uint32_t> slots_;
};

}  // namespace tk::search
