#include "gui/GuiThreadPrompts.h"

#include <QCoreApplication>
#include <QThread>
#include <type_traits>

namespace quillmark::gui {

namespace {

template <typename Call> auto OnGuiThread(Call call) -> decltype(call()) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread())
        return call();
    if constexpr (std::is_void_v<decltype(call())>) {
        QMetaObject::invokeMethod(app, call, Qt::BlockingQueuedConnection);
    } else {
        decltype(call()) result{};
        QMetaObject::invokeMethod(
            app, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

} // namespace

void TGuiThreadPrompts::ShowMessage(TMessageKind kind, const std::string& caption,
                                    const std::string& text) {
    OnGuiThread([&] { FPrompts.ShowMessage(kind, caption, text); });
}

TPromptButton TGuiThreadPrompts::Ask(TMessageKind kind, const std::string& caption,
                                     const std::string& text,
                                     const std::vector<TPromptButton>& buttons) {
    return OnGuiThread([&] { return FPrompts.Ask(kind, caption, text, buttons); });
}

std::optional<std::string> TGuiThreadPrompts::InputText(const std::string& caption,
                                                        const std::string& prompt,
                                                        const std::string& initialText) {
    return OnGuiThread([&] { return FPrompts.InputText(caption, prompt, initialText); });
}

std::optional<std::string> TGuiThreadPrompts::OpenFile(const TFileDialogRequest& request) {
    return OnGuiThread([&] { return FPrompts.OpenFile(request); });
}

std::optional<std::string> TGuiThreadPrompts::SaveFile(const TFileDialogRequest& request) {
    return OnGuiThread([&] { return FPrompts.SaveFile(request); });
}

bool TGuiThreadPrompts::ExecuteProjectSettings(TProjectSettings& settings) {
    return OnGuiThread([&] { return FPrompts.ExecuteProjectSettings(settings); });
}

} // namespace quillmark::gui
