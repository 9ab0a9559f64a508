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
    // The next CR and LF at or after start: searches skip a whole line at a time, where a test
    // of every byte, or find_first_of over the two, is several times slower.
    std::size_t cr = bytes.find('\r');
    std::size_t lf = bytes.find('\n');
    while (start < size) {
        if (cr < start) {
            cr = bytes.find('\r', start);
        }
        if (lf < start) {
            lf = bytes.find('\n', start);
        }
        const std::size_t end = std::min(std::min(cr, lf), size);
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
