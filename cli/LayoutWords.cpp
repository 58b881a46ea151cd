#include "cli/LayoutWords.h"

#include "model/EchoedText.h"
#include "model/modSettings.h"
#include "userinterface/UserInterface.h"

namespace vantrel::cli {
namespace {

std::string quoted(const std::string& text) {
    return "\"" + echoedValue(text) + "\"";
}

/// The words of a failure that has a place in the text.
std::string malformedText(const Result<LayoutError>& failure) {
    const std::string& detail = failure.detail;
    switch (failure.kind) {
    case LayoutError::NotASetting:
        return "not a setting (NAME = VALUE): " + quoted(detail);
    case LayoutError::UnclosedQuote:
        return "the value of " + echoedValue(detail) +
               " opens a quote that its line does not close";
    case LayoutError::XmlEndsEarly:
        return detail.empty() ? "the file ends before its first element"
                              : "the file ends inside <" + echoedValue(detail) + ">";
    case LayoutError::XmlUnexpected:
        return "not XML as a MAME file holds it, at " + quoted(detail);
    case LayoutError::XmlMismatchedEnd:
        return "</" + echoedValue(detail) + "> closes no element open there";
    case LayoutError::XmlUnknownEntity:
        return "&" + echoedValue(detail) + "; is no character reference this reads";
    case LayoutError::XmlTooDeep:
        return "elements nested deeper than a MAME file's";
    case LayoutError::NotMameConfig:
        return "not a MAME configuration file: its first element is <" + echoedValue(detail) +
               ">, not <mameconfig>";
    default:
        return {};
    }
}

/// "P1 Button 1 (P1_BUTTON1)", or the bind alone when it is no control.
std::string subjectOf(const LayoutNote& note) {
    return note.label.empty() ? echoedValue(note.bind)
                              : echoedValue(note.label) + " (" + echoedValue(note.bind) + ")";
}

std::string notCarriedOrTaken(const LayoutNote& note) {
    return note.taken.empty() ? "; not carried" : "; takes " + echoedValue(note.taken);
}

std::string noteText(const LayoutNote& note) {
    const std::string subject = subjectOf(note);
    const std::string item = echoedValue(note.item);
    switch (note.kind) {
    case NoteKind::NotAKey:
        return subject + ": " + item + " is no keyboard key" + notCarriedOrTaken(note);
    case NoteKind::NoKeyOnEncoder:
        return subject + ": " + item + " has no key on the encoder" + notCarriedOrTaken(note);
    case NoteKind::UnknownKey:
        return subject + ": " + item + " names no key" + notCarriedOrTaken(note);
    case NoteKind::TooManyKeys:
        return subject + ": " + item + " keys held together are more than a macro presses" +
               notCarriedOrTaken(note);
    case NoteKind::NoInputLeft:
        return subject + ": every one of the " + std::to_string(InputCount) +
               " inputs is taken; not carried";
    case NoteKind::NotAControl:
        return subject + " = " + quoted(note.item) +
               ": the layout has no control for it; not carried";
    case NoteKind::OneSystemOnly:
        return subject + ": set for " + item + " only; only the settings for every system are read";
    case NoteKind::IncludeNotRead:
        return "#include \"" + echoedPath(note.item) +
               "\" is not followed; what it sets is not read";
    case NoteKind::GivenAgain:
        return subject + " is set again; this last setting counts";
    }
    return {};
}

std::string placed(const std::string& source, int line) {
    return echoedPath(source) + (line > 0 ? ":" + std::to_string(line) : "") + ": ";
}

} // namespace

std::string layoutFailureLine(const std::string& source, const LayoutFailure& failure) {
    switch (failure.kind) {
    case LayoutError::CannotOpen:
        return std::string(OpenFailedText) + ": " + failure.detail;
    case LayoutError::CannotRead:
        return echoedPath(source) + ": cannot be read";
    case LayoutError::TooLong:
        return echoedPath(source) + ": too large to be a front end's configuration";
    default:
        return placed(source, failure.line) + malformedText(failure);
    }
}

std::string layoutNoteLine(const std::string& source, const LayoutNote& note) {
    return placed(source, note.line) + noteText(note);
}

} // namespace vantrel::cli
