// Turns a parsed scenario document into what the runner executes. The setup is checked as a
// whole before anything runs; calls are checked one at a time, just before each runs, so that
// the output of the calls before a bad one is still printed.
#pragma once

#include <cstddef>

#include <nlohmann/json.hpp>

#include "arphost/JsonRead.h"
#include "arphost/Scenario.h"

// Throws ScenarioError "<field path>: <problem>".
ScenarioSetup ParseSetup(const nlohmann::json& document);

// The document's call list (empty when absent).
const nlohmann::json& CallList(const nlohmann::json& document);

// Throws ScenarioError "call <index> (<op>): <field path>: <problem>".
Call ParseCall(const nlohmann::json& call, size_t index);
