#include "settings/ui/tpl_opt.hpp"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

#include "common/ui/find_control.hpp"
#include "settings/ui/qsettings_store.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class TplOptTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        previousDialog_ = SetFileDialogHandler([this](QWidget*, const FileRequest& request) {
            requests_.push_back(request);
            return answer_;
        });
    }
    void TearDown() override {
        SetFileDialogHandler(previousDialog_);
        WindowTest::TearDown();
    }

    // A fresh options window over the test store, as at a new start.
    std::unique_ptr<TTplOpt> Start() {
        settings_ = Settings();
        return std::make_unique<TTplOpt>(settings_, *store_);
    }

    Settings settings_;
    std::optional<QString> answer_;
    std::vector<FileRequest> requests_;
    FileDialogHandler previousDialog_;
};

TEST_F(TplOptTest, FirstRunSaysWhatIsMissingAndWorksInJk) {
    const auto opt = Start();
    EXPECT_EQ(messages_, (QStringList{"Please Set Directories in Options",
                                      "JediKnight directory must be set in Options"}));
    EXPECT_FALSE(FindControl<QGroupBox>(*opt, "RG1")->isEnabled());
    EXPECT_TRUE(settings_.jkDialect);
    EXPECT_FALSE(settings_.motsDialect);
    EXPECT_FALSE(settings_.restartNeeded);
    EXPECT_FALSE(settings_.programDir.empty());
    EXPECT_EQ(settings_.programDir.back(), kDirSeparator);
    EXPECT_EQ(opt->windowTitle(), "Template Options");
    EXPECT_EQ(FindControl<QLabel>(*opt, "Label3")->text(), " Jedi Knight Directory");
    EXPECT_EQ(FindControl<QGroupBox>(*opt, "RG1")->title(), "Template type");
}

TEST_F(TplOptTest, StoredPathsShowAndMotsCanBeChosenEachRunAfresh) {
    store_->values = {{"Jed", "/jed/master.tpl"}, {"JK", "/jk/"}, {"MOTS", "/mots/"}};
    auto opt = Start();
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(FindControl<QLineEdit>(*opt, "Edit1")->text(), "/jed/master.tpl");
    EXPECT_EQ(FindControl<QLineEdit>(*opt, "Edit3")->text(), "/jk/");
    EXPECT_EQ(FindControl<QLineEdit>(*opt, "Edit4")->text(), "/mots/");
    ASSERT_TRUE(FindControl<QGroupBox>(*opt, "RG1")->isEnabled());
    opt->SetRG1ItemIndex(1);
    EXPECT_TRUE(settings_.motsDialect);
    EXPECT_FALSE(settings_.jkDialect);

    opt = Start();  // the dialect is not kept between runs
    EXPECT_EQ(opt->RG1ItemIndex(), 0);
    EXPECT_TRUE(settings_.jkDialect);
}

TEST_F(TplOptTest, BrowseButtonsAskStoreAndNeedARestart) {
    store_->values = {{"JK", "/jk/"}, {"Jed", "/old/master.tpl"}};
    const auto opt = Start();

    answer_ = QStringLiteral("/games/jed/master.tpl");
    FindControl<QToolButton>(*opt, "JedSB")->click();
    answer_ = QStringLiteral("/games/jk/Resource/RES2.GOB");
    FindControl<QToolButton>(*opt, "JKSB")->click();
    answer_ = QStringLiteral("/games/mots/Resource/JKMsndLU.goo");
    FindControl<QToolButton>(*opt, "MotsSB")->click();

    ASSERT_EQ(requests_.size(), 3u);
    EXPECT_EQ(requests_[0].title, "Locate Jed Master.tpl File");
    EXPECT_EQ(requests_[0].proposedName, "master.tpl");
    EXPECT_TRUE(requests_[0].filters[requests_[0].filterIndex].startsWith("Templates *.tpl"));
    EXPECT_EQ(requests_[1].title, "Locate The Gob File Res2.gob");
    EXPECT_EQ(requests_[1].proposedName, "res2.gob");
    EXPECT_TRUE(requests_[1].filters[requests_[1].filterIndex].startsWith("Containers *.GOB/GOO"));
    EXPECT_EQ(requests_[2].title, "Locate a Goo File In Resource Dir");
    EXPECT_EQ(requests_[2].proposedName, "*.goo");

    EXPECT_EQ(settings_.jedTplPath, "/games/jed/master.tpl");
    EXPECT_EQ(settings_.jkDir, "/games/jk/Resource/");
    EXPECT_EQ(settings_.motsDir, "/games/mots/Resource/");
    EXPECT_EQ(store_->values["JK"], "/games/jk/Resource/");
    EXPECT_EQ(store_->values["MOTS"], "/games/mots/Resource/");
    EXPECT_EQ(FindControl<QLineEdit>(*opt, "Edit3")->text(), "/games/jk/Resource/");

    messages_.clear();
    FindControl<QPushButton>(*opt, "BBOK")->click();
    FindControl<QPushButton>(*opt, "BBOK")->click();  // every OK of the run says it again
    EXPECT_EQ(messages_, (QStringList{"You Must Restart SKERRY ", "You Must Restart SKERRY "}));
}

TEST_F(TplOptTest, CancelChangesNothingAndOkNeedsNoRestart) {
    store_->values = {{"JK", "/jk/"}, {"Jed", "/jed/master.tpl"}};
    const auto opt = Start();
    answer_ = std::nullopt;
    FindControl<QToolButton>(*opt, "JedSB")->click();
    FindControl<QToolButton>(*opt, "JKSB")->click();
    EXPECT_EQ(settings_.jedTplPath, "/jed/master.tpl");
    EXPECT_EQ(store_->writes, 0);
    FindControl<QPushButton>(*opt, "BBOK")->click();
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(TplOptTest, UnsavablePathAppliesAndSaysSo) {
    store_->values = {{"JK", "/jk/"}, {"Jed", "/jed/master.tpl"}};
    store_->failWrites = true;
    const auto opt = Start();
    answer_ = QStringLiteral("/elsewhere/master.tpl");
    FindControl<QToolButton>(*opt, "JedSB")->click();
    EXPECT_EQ(settings_.jedTplPath, "/elsewhere/master.tpl");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("Jed"));
}

TEST_F(TplOptTest, ContainerFilterMatchesEveryLetterCase) {
    const QString filter = TTplOpt::kOd1Filters[1];
    const QString patterns = filter.section('(', 1).chopped(1);
    auto matches = [&](const QString& name) {
        for (const QString& pattern : patterns.split(' ')) {
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                    .match(name)
                    .hasMatch()) {
                return true;
            }
        }
        return false;
    };
    for (const char* name : {"res2.gob", "RES2.GOB", "Res2.Gob", "jkmres.goo", "JKMRES.GOO"}) {
        EXPECT_TRUE(matches(QString::fromLatin1(name))) << name;
    }
    EXPECT_FALSE(matches("res2.gobx"));
    EXPECT_FALSE(matches("master.tpl"));
}

TEST_F(TplOptTest, QSettingsStoreKeepsTextValuesInThePerUserFile) {
    {
        QSettingsStore store;  // the test run's own XDG_CONFIG_HOME
        EXPECT_TRUE(QFile::exists(QString::fromStdString(store.Location())));
        EXPECT_TRUE(store.Location().ends_with("Harrowmoor/SKERRY.conf"));
        EXPECT_FALSE(store.Read("Jed"));
        EXPECT_TRUE(store.Write("Jed", "/jed/m\xc3\xa4ster.tpl"));
        EXPECT_TRUE(store.Write("JK", "/jk/"));
    }
    QSettingsStore again;
    EXPECT_EQ(again.Read("Jed"), "/jed/m\xc3\xa4ster.tpl");
    EXPECT_EQ(again.Read("JK"), "/jk/");
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Harrowmoor", "SKERRY");
        raw.setValue("MOTS", QStringList{"not", "text"});
    }
    QSettingsStore third;
    EXPECT_FALSE(third.Read("MOTS"));
}

}  // namespace
}  // namespace skerry::ui
