#include "app/template_document.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "resources/gob_container.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

constexpr const char* kMaster =
    "# Jed's own templates\r\n"
    "_actor\tnone\ttype=actor\r\n"
    "_humanactor _actor size=0.065\r\n"
    "_weapon none type=weapon\r\n"
    "grenade _weapon damage=40\r\n"
    "crate none type=cog model3d=crate.3do\r\n";

class TemplateDocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = testing::UniqueTempPath("skerry_document");
        std::filesystem::create_directories(dir_);
        settings_.workDir = dir_.string() + "/";
        settings_.jedTplPath = (dir_ / "master.tpl").string();
        WriteFileWhole(settings_.jedTplPath, kMaster);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::size_t RowOf(const std::string& name) const {
        for (std::size_t r = 0; r < doc_.Grid().RowCount(); ++r) {
            if (doc_.Grid().Row(r).name == name) {
                return r;
            }
        }
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    std::string NewTpl() const { return ReadFileBytes(settings_.NewTplPath()).bytes.value_or("-"); }
    std::string OldTpl() const { return ReadFileBytes(settings_.OldTplPath()).bytes.value_or("-"); }
    SaveReport Save(SaveKind kind, const std::string& description = "") {
        return doc_.Save(kind, [&](const std::string&) { return description; });
    }

    std::filesystem::path dir_;
    Settings settings_;
    TemplateStore templates_;
    ResourceState resources_;
    TemplateDocument doc_{settings_, templates_, resources_};
};

// A session of two templates as a modder works, then undo to the start and redo to the end:
// every step gives back its line, and the files stay as the saves left them.
TEST_F(TemplateDocumentTest, ASessionUndoesToTheStartAndRedoesToTheEnd) {
    std::vector<std::string> lines{doc_.Line()};
    std::vector<std::string> undoTexts;
    const auto step = [&] {
        lines.push_back(doc_.Line());
        undoTexts.push_back(doc_.History().UndoText());
    };

    EXPECT_FALSE(doc_.New().message);
    step();
    EXPECT_EQ(doc_.State().memo, kNoParentMemo);
    ASSERT_TRUE(doc_.ChangeType("actor"));
    step();
    doc_.SetName("m");
    doc_.SetName("mytrooper");  // typed on: the same step
    step();
    doc_.SetParent("_humanactor");
    step();
    EXPECT_EQ(doc_.State().memo,
              "Parent template(s)\n\n_humanactor _actor size=0.065\n_actor none type=actor\n");
    doc_.SetValue(RowOf("health"), "40");
    step();
    ASSERT_TRUE(Save(SaveKind::Save, "my trooper").saved);
    EXPECT_FALSE(doc_.Changed());
    const std::string mytrooper = "mytrooper        _humanactor       type=actor health=40";
    const std::string firstSave =
        "# Jed's own templates\r\n_actor none type=actor\r\n_humanactor _actor size=0.065\r\n"
        "_weapon none type=weapon\r\ngrenade _weapon damage=40\r\n"
        "crate none type=cog model3d=crate.3do\r\n# DESC: my trooper\r\n# BBOX: 0 0 0 0 0 0\r\n" +
        mytrooper + "\r\n";
    EXPECT_EQ(NewTpl(), firstSave);

    // The next template from New.tpl: a weapon, whose type the type box then reads.
    ASSERT_TRUE(doc_.Open(settings_.NewTplPath(), "grenade").Opened());
    step();
    EXPECT_EQ(doc_.State().typeText, "weapon");
    EXPECT_EQ(doc_.TemplateFilePath(), settings_.NewTplPath());
    doc_.SetValue(RowOf("damage"), "45");
    step();
    // A plain Save would start New.tpl again from master.tpl and drop mytrooper.
    EXPECT_EQ(doc_.TemplatesSaveWouldDrop(), std::vector<std::string>{"mytrooper"});
    ASSERT_TRUE(Save(SaveKind::Append).saved);
    const std::string appended = NewTpl();
    EXPECT_NE(appended.find(mytrooper), std::string::npos);
    EXPECT_NE(appended.find("grenade          _weapon           damage=45"), std::string::npos);
    EXPECT_EQ(OldTpl(), firstSave);
    ASSERT_TRUE(Save(SaveKind::SaveKeepingOld).saved);
    EXPECT_EQ(NewTpl().find("mytrooper"), std::string::npos);
    EXPECT_EQ(OldTpl(), appended);  // one step back stays on disk

    ASSERT_TRUE(doc_.Open(settings_.jedTplPath, "crate").Opened());
    step();
    ASSERT_TRUE(doc_.ChangeType("item"));
    step();
    EXPECT_EQ(doc_.Grid().RowCount(), 19u);
    EXPECT_EQ(undoTexts, (std::vector<std::string>{
                             "New", "type change", "name", "parent", "value of health",
                             "Open grenade", "value of damage", "Open crate", "type change"}));

    const std::string files = NewTpl() + OldTpl();
    for (std::size_t k = lines.size() - 1; k > 0; --k) {
        doc_.Undo();
        EXPECT_EQ(doc_.Line(), lines[k - 1]) << "undo to step " << k - 1;
    }
    EXPECT_FALSE(doc_.History().CanUndo());
    EXPECT_EQ(doc_.State().name, kStartName);
    EXPECT_FALSE(doc_.Changed());
    for (std::size_t k = 1; k < lines.size(); ++k) {
        doc_.Redo();
        EXPECT_EQ(doc_.Line(), lines[k]) << "redo to step " << k;
    }
    EXPECT_FALSE(doc_.History().CanRedo());
    EXPECT_EQ(doc_.Grid().RowCount(), 19u);
    EXPECT_EQ(NewTpl() + OldTpl(), files);
}

// Save marks the point the template counts as unchanged from; undoing back to it clears the
// changed state, and a step pushed after an undo drops the steps undone.
TEST_F(TemplateDocumentTest, SaveMarksTheCleanPointAndHistoryKeepsItsLimit) {
    doc_.New();
    doc_.ChangeType("ghost");
    doc_.SetName("mist");
    doc_.SetParent("none");
    ASSERT_TRUE(Save(SaveKind::Save).saved);
    doc_.SetValue(RowOf("light"), "0.5");
    EXPECT_TRUE(doc_.Changed());
    doc_.Undo();
    EXPECT_FALSE(doc_.Changed());
    doc_.Redo();
    EXPECT_TRUE(doc_.Changed());
    doc_.Undo();
    doc_.SetValue(RowOf("timer"), "2");
    EXPECT_FALSE(doc_.History().CanRedo());
    EXPECT_EQ(doc_.History().UndoText(), "value of timer");

    doc_.SetValue(RowOf("timer"), "2");  // the same value again is no step
    EXPECT_EQ(doc_.History().UndoText(), "value of timer");
    for (int k = 0; k < 1100; ++k) {
        doc_.SetValue(RowOf("timer"), std::to_string(k));
    }
    EXPECT_EQ(doc_.History().Count(), CommandHistory::kDefaultLimit);
}

TEST_F(TemplateDocumentTest, OpenSaysWhyItCannotAndKeepsTheTemplate) {
    doc_.New();
    doc_.ChangeType("item");
    const struct {
        std::string file, name;
        OpenFailure failure;
    } cases[] = {
        {(dir_ / "gone.tpl").string(), "crate", OpenFailure::FileMissing},
        {settings_.jedTplPath, "nothing", OpenFailure::NotInFile},
        {settings_.jedTplPath, "", OpenFailure::NotInFile},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc_.Open(c.file, c.name).failure, c.failure) << c.name;
        EXPECT_EQ(doc_.Grid().RowCount(), 19u);
        EXPECT_EQ(doc_.TemplateFilePath(), settings_.jedTplPath);
    }
}

// A user's folders named in any script: the session saves, opens and lists containers there.
// On Windows such names live only as UTF-16, and every path made from text without the UTF-8
// conversion loses them; the names are checked on disk through paths built from u8 literals.
TEST_F(TemplateDocumentTest, WorksInFoldersNamedInAnyScript) {
    const struct { std::u8string folder; } cases[] = {{u8"Дмитрий/Моды"}, {u8"ゲーム/JK"}};
    for (const auto& c : cases) {
        const std::filesystem::path folder = dir_ / c.folder;
        std::filesystem::create_directories(folder);
        settings_.workDir = Utf8Of(folder) + "/";
        settings_.jedTplPath = settings_.workDir + "master.tpl";
        settings_.jkDir = settings_.workDir;
        ASSERT_FALSE(WriteFileWhole(folder / "master.tpl", kMaster));
        ASSERT_FALSE(WriteFileWhole(folder / "res2.gob", MakeContainer({{"ng.3do", "3DO"}})));

        doc_.New();
        ASSERT_TRUE(doc_.ChangeType("cog"));
        doc_.SetName("crate2");
        doc_.SetParent("crate");
        ASSERT_TRUE(Save(SaveKind::Save).saved) << Utf8Of(folder);
        const FileBytes written = ReadFileBytes(folder / "New.tpl");
        ASSERT_TRUE(written.bytes) << written.error;
        EXPECT_NE(written.bytes->find("crate2"), std::string::npos);
        EXPECT_TRUE(doc_.Open(settings_.NewTplPath(), "crate2").Opened());

        EXPECT_FALSE(resources_.Load(settings_.workDir + "res2.gob"));
        const std::vector<std::filesystem::path> containers = doc_.Containers();
        EXPECT_EQ(std::count(containers.begin(), containers.end(), folder / "res2.gob"), 1);
        const std::optional<std::string> missing = resources_.Load(settings_.workDir + "gone.gob");
        ASSERT_TRUE(missing);
        EXPECT_NE(missing->find(settings_.workDir), std::string::npos) << *missing;
    }
}

}  // namespace
}  // namespace skerry
