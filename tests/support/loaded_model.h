#ifndef PELK_TESTS_SUPPORT_LOADED_MODEL_H
#define PELK_TESTS_SUPPORT_LOADED_MODEL_H

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"

/// A model of pelk-table read from text, through a file in the temporary
/// folder as pelk-table reads one (removed again at the end); tag keeps the
/// files of two test binaries apart.
struct LOADED_MODEL_ {
    LOADED_MODEL_(const std::string& text, const std::string& tag)
        : path((std::filesystem::temp_directory_path() / ("pelk_" + tag + "_" + std::to_string(getpid()) + ".tsv"))
                   .string()),
          model(path, "") {
        std::ofstream(path, std::ios::binary) << text;
        model.load();
    }
    ~LOADED_MODEL_() { std::filesystem::remove(path); }
    LOADED_MODEL_(const LOADED_MODEL_&) = delete;
    LOADED_MODEL_& operator=(const LOADED_MODEL_&) = delete;

    std::string path;
    CTableModel model;
};

/// A loaded model with the findings of check, every check on.
struct CHECKED_MODEL_ : LOADED_MODEL_ {
    CHECKED_MODEL_(const std::string& text, const std::string& tag)
        : LOADED_MODEL_(text, tag),
          findings(CChecker::run(model, CHECK_OPTIONS_())) {}

    std::vector<FINDING_> findings;
};

#endif
