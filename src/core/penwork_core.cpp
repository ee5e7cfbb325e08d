#include "core/penwork_core.h"

#include "core/captions.h"
#include "errorhandlers/handler_templates.h"
#include "platform/files.h"
#include "platform/vbruntime.h"

namespace core {

namespace keys = platform::settings;

namespace {

const platform::SettingKey& RevisionKey(int index) {
    static const platform::SettingKey kKeys[] = {keys::RevisionProcedure, keys::RevisionModule,
                                                 keys::RevisionText, keys::RevisionCode};
    return kKeys[index];
}

}  // namespace

PenworkState::PenworkState()
    : insert{true, true, kInsertDesignCaption, ""},
      second{true, true, kClearAllCaption, kClearTooltip},
      clear{true, true, kClearCaption, kClearTooltip} {}

std::array<bool, 4> StoredRevisionTargets(platform::SettingsStore& settings) {
    std::array<bool, 4> targets{};
    for (int i = 0; i < 4; ++i) targets[static_cast<std::size_t>(i)] = platform::Val(settings.Get(RevisionKey(i))) == 1;
    return targets;
}

PenworkCore::PenworkCore(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                         platform::SettingsStore& settings,
                         std::array<toolwindow::EditableTextBox*, 8> boxes, PenworkView& view)
    : vbe_(vbe), dialogs_(dialogs), files_(files), settings_(settings), boxes_(boxes), view_(view) {}

// A store that cannot be written loses the value, as the runtime's store would;
// the window goes on.
void PenworkCore::Store(const platform::SettingKey& key, const std::string& value) {
    try {
        settings_.Save(key, value);
    } catch (const platform::FileError&) {
    }
}

void PenworkCore::Changed() { view_.Refresh(); }

void PenworkCore::Load() {
    SetHeaderBefore(true);
    // Setting a field counts as changing it: what is read is stored again.
    SetName(settings_.Get(keys::AuthorName));
    SetInitials(settings_.Get(keys::AuthorInitials));
    SetRevType(settings_.Get(keys::RevisionType));
    SetRevNumber(settings_.Get(keys::RevisionNumber));
    const std::array<bool, 4> targets = StoredRevisionTargets(settings_);
    for (int i = 0; i < 4; ++i)
        if (targets[static_cast<std::size_t>(i)] && !state_.revision[static_cast<std::size_t>(i)])
            ClickRevision(i, true);
    SelectHeaderType(toolwindow::Procedure);
    SelectSection(toolwindow::Description);
    dialogs_.DoEvents();
    dialogs_.DoEvents();
    dialogs_.OnTop(true);
    if (!state_.onTop) ClickOnTop(true);
}

void PenworkCore::SetName(const std::string& text) { SetField(state_.name, keys::AuthorName, text, false); }

void PenworkCore::SetInitials(const std::string& text) { SetField(state_.initials, keys::AuthorInitials, text, false); }

void PenworkCore::SetRevType(const std::string& text) { SetField(state_.revType, keys::RevisionType, text, false); }

void PenworkCore::PickRevType(const std::string& text) { SetField(state_.revType, keys::RevisionType, text, true); }

void PenworkCore::SetRevNumber(const std::string& text) {
    SetField(state_.revNumber, keys::RevisionNumber, text, false);
}

void PenworkCore::SetField(std::string& field, const platform::SettingKey& key, const std::string& text, bool always) {
    if (text == field && !always) return;
    field = text;
    Store(key, text);
    Changed();
}

void PenworkCore::ClickRevision(int index, bool checked) {
    state_.revision.at(static_cast<std::size_t>(index)) = checked;
    Store(RevisionKey(index), checked ? "1" : "0");
    EnableInsertByTargets();
    Changed();
    view_.Focus(toolwindow::kRevisionTextBox);
}

void PenworkCore::EnableInsertByTargets() {
    state_.insert.enabled = false;
    for (bool checked : state_.revision) {
        if (checked) {
            state_.insert.enabled = true;
            break;
        }
    }
}

void PenworkCore::SetHeaderBefore(bool before) {
    state_.headerBefore = before;
    Changed();
}

void PenworkCore::ClickOnTop(bool checked) {
    state_.onTop = checked;
    dialogs_.OnTop(checked);
    Changed();
}

void PenworkCore::Resize(bool normal) {
    if (normal) dialogs_.OnTop(state_.onTop);
}

void PenworkCore::Unload() { dialogs_.OnTop(false); }

void PenworkCore::Save() {
    if (state_.name.empty()) {
        platform::ShowMessage(dialogs_, "Please Enter a Name To Save.", platform::vbInformation,
                              "Save Author's Name");
        return;
    }
    if (state_.initials.empty()) {
        platform::ShowMessage(dialogs_, "Please Enter Initials To Save.", platform::vbInformation,
                              "Save Author's Initials");
        return;
    }
    Store(keys::AuthorName, state_.name);
    Store(keys::AuthorInitials, state_.initials);
}

void PenworkCore::SelectHeaderType(int index) {
    if (index < 0 || index > 4) return;
    state_.headerType = index;
    state_.insert.enabled = true;
    state_.second.visible = false;
    state_.clear.enabled = true;
    state_.boxInView = index + 3;  // Procedure's section box follows below
    state_.frameEnabled.fill(false);
    state_.frameEnabled[static_cast<std::size_t>(index)] = true;
    state_.frontFrame = index;
    state_.insert.caption = kInsertCaptions[static_cast<std::size_t>(index)];
    switch (index) {
    case toolwindow::Procedure:
        state_.second = {true, true, kClearAllCaption, kClearAllTooltip};
        state_.boxInView = state_.procSection;
        break;
    case toolwindow::Revision:
        EnableInsertByTargets();
        break;
    case toolwindow::Error:
        state_.second = {true, state_.second.enabled, kSaveHandlerCaption, kSaveHandlerTooltip};
        ShowHandlerKind(state_.handlerKind);
        break;
    default:
        break;
    }
    Changed();
    view_.Focus(state_.boxInView);
}

void PenworkCore::SelectSection(int index) {
    if (index < 0 || index > 3) return;
    state_.procSection = index;
    state_.boxInView = index;
    state_.second.enabled = true;
    state_.insert.caption = kInsertCaptions[toolwindow::Procedure];
    Changed();
    view_.Focus(index);
}

void PenworkCore::SelectHandler(int index) {
    if (index < 0 || index > 3) return;
    state_.handlerKind = index;
    ShowHandlerKind(index);
}

void PenworkCore::ShowHandlerKind(int index) {
    state_.templateLocked = true;
    state_.clear.enabled = false;
    state_.second.enabled = false;
    const errorhandlers::HandlerTemplateBox box = errorhandlers::TemplateBoxFor(*this, index);
    if (box.text) Box(toolwindow::kHandlerTemplateBox).SetText(*box.text);
    if (box.editable) {
        state_.templateLocked = false;
        state_.clear.enabled = true;
        state_.second.enabled = true;
    }
    Changed();
}

void PenworkCore::Clear() {
    const int box = state_.headerType == toolwindow::Procedure ? state_.procSection : state_.headerType + 3;
    Box(box).SetText("");
    Changed();
    view_.Focus(box);
}

void PenworkCore::Second() {
    if (state_.headerType == toolwindow::Procedure) {
        for (int i = 0; i < 4; ++i) Box(i).SetText("");
        Changed();
        view_.Focus(state_.procSection);
    } else if (state_.headerType == toolwindow::Error) {
        Store(keys::ErrorHandlerCustom, Box(toolwindow::kHandlerTemplateBox).Text());
    }
}

bool PenworkCore::AcceptsKey(int index) const {
    return index != toolwindow::kHandlerTemplateBox || state_.handlerKind == toolwindow::Custom;
}

void PenworkCore::Help(const std::function<void()>& show) {
    show();
    dialogs_.OnTop(false);
}

void PenworkCore::About(const std::function<void()>& showModal) {
    dialogs_.OnTop(false);
    showModal();
    dialogs_.OnTop(true);
}

namespace detail {
PlainParts::PlainParts()
    : boxes{toolwindow::PlainTextBox{}, toolwindow::PlainTextBox{}, toolwindow::PlainTextBox{},
            toolwindow::PlainTextBox{}, toolwindow::PlainTextBox{}, toolwindow::PlainTextBox{"", 65, 79},
            toolwindow::PlainTextBox{}, toolwindow::PlainTextBox{}} {}
}  // namespace detail

PlainPenworkCore::PlainPenworkCore(ide::VBE& vbe, platform::DialogPort& dialogs, platform::FileStore& files,
                                   platform::SettingsStore& settings)
    : PenworkCore(vbe, dialogs, files, settings,
                  {&boxes[0], &boxes[1], &boxes[2], &boxes[3], &boxes[4], &boxes[5], &boxes[6], &boxes[7]},
                  view) {}

}  // namespace core
