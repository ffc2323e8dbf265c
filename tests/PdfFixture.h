#pragma once

#include <map>
#include <string>
#include <vector>

namespace quillmark {

// A small valid PDF of `pageCount` empty A4 pages whose named destinations
// point at the given pages (counted from 1), as a browser writes them for
// the targets of links. Names must need no escaping in a PDF string.
inline std::string MinimalPdf(int pageCount, const std::map<std::string, int>& destinations) {
    std::vector<std::string> objects;
    objects.push_back("<< /Type /Catalog /Pages 2 0 R /Names << /Dests 3 0 R >> >>");
    std::string kids;
    for (int page = 0; page < pageCount; ++page)
        kids += std::to_string(4 + page) + " 0 R ";
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) +
                      " >>");
    std::string names;
    for (const auto& [name, page] : destinations) // a name tree lists its keys sorted
        names += "(" + name + ") [" + std::to_string(3 + page) + " 0 R /XYZ 0 842 null] ";
    objects.push_back("<< /Names [" + names + "] >>");
    for (int page = 0; page < pageCount; ++page)
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>");

    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const size_t offset : offsets) {
        const std::string digits = std::to_string(offset);
        pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace quillmark
