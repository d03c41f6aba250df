#include "unified_diff.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quillmere::cli {
namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

// Marks the lines of `a` that are deleted and of `b` that are inserted by a shortest edit.
class LineMatcher {
  public:
    LineMatcher(const std::vector<int>& a, const std::vector<int>& b)
        : a_(a), b_(b), deleted(a.size(), false), inserted(b.size(), false) {}

    void run() { compare(0, static_cast<long>(a_.size()), 0, static_cast<long>(b_.size())); }

  private:
    const std::vector<int>& a_;
    const std::vector<int>& b_;

  public:
    std::vector<bool> deleted, inserted;

  private:
    void compare(long aLo, long aHi, long bLo, long bHi) {
        while (aLo < aHi && bLo < bHi && a_[aLo] == b_[bLo]) ++aLo, ++bLo;
        while (aLo < aHi && bLo < bHi && a_[aHi - 1] == b_[bHi - 1]) --aHi, --bHi;
        if (aLo == aHi || bLo == bHi) {
            for (long i = aLo; i < aHi; ++i) deleted[i] = true;
            for (long j = bLo; j < bHi; ++j) inserted[j] = true;
            return;
        }
        long x = 0, y = 0;
        if (!middleSnake(aLo, aHi, bLo, bHi, x, y)) {
            for (long i = aLo; i < aHi; ++i) deleted[i] = true;
            for (long j = bLo; j < bHi; ++j) inserted[j] = true;
            return;
        }
        compare(aLo, aLo + x, bLo, bLo + y);
        compare(aLo + x, aHi, bLo + y, bHi);
    }

    // Walks forward from the start and backward from the end, d edits at a time, until the two
    // fronts meet; (x, y) is where, relative to (aLo, bLo). False when they never do.
    bool middleSnake(long aLo, long aHi, long bLo, long bHi, long& xOut, long& yOut) {
        const long n = aHi - aLo, m = bHi - bLo;
        const long maxD = (n + m + 1) / 2;
        // Diagonals -maxD .. maxD, and one more on each side that the first step reads.
        const long offset = maxD + 1, size = 2 * maxD + 3;
        forward_.assign(static_cast<std::size_t>(size), -1);
        backward_.assign(static_cast<std::size_t>(size), -1);
        forward_[offset + 1] = 0;
        backward_[offset + 1] = 0;
        const long delta = n - m;
        const bool frontMeets = delta % 2 != 0;  // which walk detects the overlap
        const auto A = [&](long i) { return a_[aLo + i]; };
        const auto B = [&](long j) { return b_[bLo + j]; };
        long k1Start = 0, k1End = 0, k2Start = 0, k2End = 0;
        for (long d = 0; d < maxD; ++d) {
            for (long k1 = -d + k1Start; k1 <= d - k1End; k1 += 2) {
                const long at = offset + k1;
                long x1 = (k1 == -d || (k1 != d && forward_[at - 1] < forward_[at + 1]))
                              ? forward_[at + 1]
                              : forward_[at - 1] + 1;
                long y1 = x1 - k1;
                while (x1 < n && y1 < m && A(x1) == B(y1)) ++x1, ++y1;
                forward_[at] = x1;
                if (x1 > n) {
                    k1End += 2;
                } else if (y1 > m) {
                    k1Start += 2;
                } else if (frontMeets) {
                    const long other = offset + delta - k1;
                    if (other >= 0 && other < size && backward_[other] != -1 && x1 >= n - backward_[other]) {
                        xOut = x1;
                        yOut = y1;
                        return true;
                    }
                }
            }
            for (long k2 = -d + k2Start; k2 <= d - k2End; k2 += 2) {
                const long at = offset + k2;
                long x2 = (k2 == -d || (k2 != d && backward_[at - 1] < backward_[at + 1]))
                              ? backward_[at + 1]
                              : backward_[at - 1] + 1;
                long y2 = x2 - k2;
                while (x2 < n && y2 < m && A(n - x2 - 1) == B(m - y2 - 1)) ++x2, ++y2;
                backward_[at] = x2;
                if (x2 > n) {
                    k2End += 2;
                } else if (y2 > m) {
                    k2Start += 2;
                } else if (!frontMeets) {
                    const long other = offset + delta - k2;
                    if (other >= 0 && other < size && forward_[other] != -1) {
                        const long x1 = forward_[other];
                        const long y1 = offset + x1 - other;
                        if (x1 >= n - x2) {
                            xOut = x1;
                            yOut = y1;
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    std::vector<long> forward_, backward_;
};

enum class Op : std::uint8_t { Keep, Delete, Insert };

struct Step {
    Op op;
    std::size_t line;  // in `before` for Keep and Delete, in `after` for Insert
};

void appendLine(std::string& out, char mark, std::string_view line) {
    out.push_back(mark);
    out.append(line);
    if (line.empty() || line.back() != '\n') out.append("\n\\ No newline at end of file\n");
}

std::string range(std::size_t start, std::size_t count) {
    // An empty range names the line before it.
    return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

}  // namespace

std::string unifiedDiff(std::string_view oldLabel, std::string_view newLabel, std::string_view before,
                        std::string_view after, int context) {
    if (before == after) return {};
    const auto oldLines = splitLines(before);
    const auto newLines = splitLines(after);

    // Lines as numbers, so that the matching compares integers.
    std::unordered_map<std::string_view, int> ids;
    const auto number = [&](const std::vector<std::string_view>& lines) {
        std::vector<int> out;
        out.reserve(lines.size());
        for (const auto line : lines)
            out.push_back(ids.emplace(line, static_cast<int>(ids.size())).first->second);
        return out;
    };
    const std::vector<int> a = number(oldLines), b = number(newLines);
    LineMatcher matcher(a, b);
    matcher.run();

    std::vector<Step> steps;
    steps.reserve(a.size() + b.size());
    for (std::size_t i = 0, j = 0; i < a.size() || j < b.size();) {
        if (i < a.size() && j < b.size() && !matcher.deleted[i] && !matcher.inserted[j]) {
            steps.push_back({Op::Keep, i});
            ++i, ++j;
            continue;
        }
        while (i < a.size() && matcher.deleted[i]) steps.push_back({Op::Delete, i++});
        while (j < b.size() && matcher.inserted[j]) steps.push_back({Op::Insert, j++});
    }

    std::string out;
    out.append("--- ").append(oldLabel).append("\n+++ ").append(newLabel).append("\n");
    const auto ctx = static_cast<std::size_t>(std::max(context, 0));
    // Old and new line numbers where each step starts.
    std::vector<std::size_t> oldAt(steps.size() + 1), newAt(steps.size() + 1);
    for (std::size_t s = 0; s < steps.size(); ++s) {
        oldAt[s + 1] = oldAt[s] + (steps[s].op != Op::Insert);
        newAt[s + 1] = newAt[s] + (steps[s].op != Op::Delete);
    }
    for (std::size_t s = 0; s < steps.size();) {
        if (steps[s].op == Op::Keep) {
            ++s;
            continue;
        }
        // A hunk: from ctx lines before this change to ctx lines after the last change that is
        // no more than 2 * ctx kept lines from the one before it.
        const std::size_t first = s >= ctx ? s - ctx : 0;
        std::size_t lastChange = s;
        for (std::size_t t = s; t < steps.size(); ++t) {
            if (steps[t].op != Op::Keep) {
                lastChange = t;
            } else if (t - lastChange > 2 * ctx) {
                break;
            }
        }
        const std::size_t end = std::min(steps.size(), lastChange + 1 + ctx);
        out.append("@@ -")
            .append(range(oldAt[first], oldAt[end] - oldAt[first]))
            .append(" +")
            .append(range(newAt[first], newAt[end] - newAt[first]))
            .append(" @@\n");
        for (std::size_t t = first; t < end; ++t) {
            switch (steps[t].op) {
                case Op::Keep:
                    appendLine(out, ' ', oldLines[steps[t].line]);
                    break;
                case Op::Delete:
                    appendLine(out, '-', oldLines[steps[t].line]);
                    break;
                case Op::Insert:
                    appendLine(out, '+', newLines[steps[t].line]);
                    break;
            }
        }
        s = end;
    }
    return out;
}

}  // namespace quillmere::cli
