#pragma once

#include "cli/CliCommand.h"
#include "itemfile/ItemFileImport.h"
#include "store/AppendPreview.h"
#include "store/TableCommands.h"
#include "template/TemplatePreview.h"

namespace cli {

// How many duplicate groups a dedupe dry run shows, and how many deleted IDs of each.
inline constexpr int kPreviewSampleGroups = 10;
inline constexpr int kPreviewIdsPerGroup = 10;

// The summaries of the dry runs: text for the operator, or one JSON object on
// one line for scripts.
void printDuplicatesPreview(const store::DuplicatesPreview& preview, bool json, Console& console);
void printImportPreview(const itemfile::ImportPreview& preview, bool json, Console& console);
void printAppendPreview(const store::AppendPreview& preview, bool json, Console& console);
void printTemplatesPreview(const postage::TemplatePreview& preview, bool json, Console& console);

}  // namespace cli
