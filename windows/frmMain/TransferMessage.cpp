#include "windows/frmMain/TransferMessage.h"

#include "userinterface/ImageLoadMessage.h"

namespace vantrel {
namespace {

struct Box {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
};

Box boxFor(TransferDirection direction, const TransferResult& result, const std::string& caption) {
    const bool writing = direction == TransferDirection::Writing;
    switch (result.kind) {
    case TransferKind::Succeeded:
        return {writing ? WriteSuccessText : ReadSuccessText, ApplicationTitle, MessageIcon::None};
    case TransferKind::NotFound:
    case TransferKind::CannotOpen:
    case TransferKind::Busy:
        return {NotFoundText, caption, MessageIcon::Stop};
    case TransferKind::FailedPartWay:
    case TransferKind::NoAnswer:
        return {writing ? WriteErrorText : ReadErrorText, caption, MessageIcon::Stop};
    case TransferKind::TooLarge:
        return {SizeLimitText, ApplicationTitle, MessageIcon::Exclamation};
    case TransferKind::InvalidImage:
    case TransferKind::WriteStartPairFound:
        break;
    }
    // A decoder that failed part-way has its own words; a marker that is
    // not 1 is an invalid image before anything was decoded.
    const ImageLoadResult loaded = result.loaded == ImageLoadResult::SettingsFailed
                                       ? ImageLoadResult::SettingsFailed
                                       : ImageLoadResult::InvalidImage;
    const ImageLoadMessage message = imageLoadMessage(loaded, ImageOrigin::Device);
    return {message.text, message.title, message.icon};
}

} // namespace

void tellTransferResult(MessagePrompter& messages, TransferDirection direction,
                        const TransferResult& result, const std::string& caption) {
    const Box box = boxFor(direction, result, caption);
    messages.showMessage(box.text, box.title, box.icon, MessageButtons::Ok);
}

} // namespace vantrel
