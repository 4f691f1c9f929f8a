// Runs a scenario's calls against one real filter object attached to a simulated host, and
// reports each call's status, output queue and chord notification.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "arphost/Scenario.h"
#include "engine/FilterAccess.h"
#include "host/HostObjects.h"

struct CallResult {
    HRESULT hr = S_OK;
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    // The last chord text the filter handed to the page during the call, if it did.
    std::optional<std::string> chord;
};

// The editor page as the filter sees it: always open and ready, so every chord text the
// filter publishes is recorded, including the empty text of a playback reset.
class RecordingPageLink final : public IEditorPageLink {
public:
    explicit RecordingPageLink(CArpeggiator& owner) : filter(owner) {}
    bool IsReadyForChordText() override { return true; }
    void PostChordNotification() override;
    bool WindowExists() override { return true; }
    void RefreshAllControls() override {}

    // The text notified since the last call, and forgets it.
    std::optional<std::string> TakeNotification();

private:
    FilterAccess filter;
    std::optional<std::string> notified;
};

class ArphostRunner {
public:
    // Creates and attaches the filter with its clock stopped, loads the settings image and
    // applies the settings. Throws ScenarioError when Load rejects the image.
    explicit ArphostRunner(const ScenarioSetup& setup);
    ~ArphostRunner();
    ArphostRunner(const ArphostRunner&) = delete;
    ArphostRunner& operator=(const ArphostRunner&) = delete;

    CallResult Run(const Call& call);

private:
    void LoadImage(const std::vector<uint8_t>& image);
    void WriteParams(const std::vector<ParamSetting>& settings);

    AttachedFilter filter;
    RecordingPageLink page;
};

// {"call","op","hr","out"} and "chord" when the page was notified.
nlohmann::ordered_json ResultLine(size_t index, CallOp op, const CallResult& result);
