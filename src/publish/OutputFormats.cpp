#include "publish/ChmExport.h"
#include "publish/OutputFormat.h"
#include "publish/PdfExport.h"
#include "publish/WebHelpExport.h"

namespace quillmark {

const std::vector<std::unique_ptr<IOutputFormat>>& OutputFormats() {
    static const std::vector<std::unique_ptr<IOutputFormat>> formats = [] {
        std::vector<std::unique_ptr<IOutputFormat>> list;
        list.push_back(std::make_unique<TWebHelpOutputFormat>());
        list.push_back(std::make_unique<TChmOutputFormat>());
        list.push_back(std::make_unique<TPdfOutputFormat>());
        return list;
    }();
    return formats;
}

const IOutputFormat* FindOutputFormat(const std::string& name) {
    for (const auto& format : OutputFormats())
        if (format->Name() == name)
            return format.get();
    return nullptr;
}

} // namespace quillmark
