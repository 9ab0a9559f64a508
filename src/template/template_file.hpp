#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// Template files are single-byte text. A line ends at CR, at LF, or at CR LF (one end), and
// a Ctrl-Z byte ends the file. A last line without an end is still a line.
// Calls each(line) for every line in order; the views point into bytes.
template <typename Each>
void ForEachTemplateLine(std::string_view bytes, Each&& each) {
    constexpr char kCtrlZ = 26;
    if (const std::size_t end = bytes.find(kCtrlZ); end != std::string_view::npos) {
        bytes = bytes.substr(0, end);
    }
    const std::size_t size = bytes.size();
    std::size_t start = 0;
    // The next CR and the next LF, each found by its own search (memchr, many bytes at a
    // time) and kept until the lines pass it: a byte-by-byte test for either, or find_first_of
    // over the two, is several times slower. A file without CRs is searched for one once.
    std::size_t cr = std::min(bytes.find('\r'), size);
    std::size_t lf = std::min(bytes.find('\n'), size);
    while (start < size) {
        if (cr < start) {
            cr = std::min(bytes.find('\r', start), size);
        }
        if (lf < start) {
            lf = std::min(bytes.find('\n', start), size);
        }
        const std::size_t end = std::min(cr, lf);
        each(bytes.substr(start, end - start));
        if (end == size) {
            break;
        }
        start = end + 1;
        if (bytes[end] == '\r' && start < size && bytes[start] == '\n') {
            ++start;
        }
    }
}

// The lines as ForEachTemplateLine gives them.
std::vector<std::string> SplitTemplateLines(std::string_view bytes);

// A line with a '#' anywhere is a comment, and the scan passes it by whole.
inline bool IsCommentLine(std::string_view line) {
    return line.find('#') != std::string_view::npos;
}

// The line end the program writes after every line of a template file.
inline constexpr std::string_view kLineEnd = "\r\n";

}  // namespace skerry
