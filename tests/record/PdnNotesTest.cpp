#include "record/Pdn.h"

#include <gtest/gtest.h>

#include "RecordTestSupport.h"

namespace
{
CGameRecord Read(const std::string& text, PdnTags* tags = nullptr)
{
    PdnProblem problem;
    PdnTags read;
    auto record = ReadPdn(text, problem, tags ? *tags : read);
    if (!record)
        ADD_FAILURE() << "line " << problem.line << ": " << problem.reason << "\n" << text;
    return record.value_or(CGameRecord());
}
} // namespace

TEST(PdnNotes, MarksCommentsAndEvaluationsAreWrittenAfterTheirMovesAndReadBack)
{
    CGameRecord record = GameOf("", {"11-15", "23-19", "8-11", "22-17"});
    std::string longText;
    for (int i = 0; i < 30; ++i)
        longText += "word" + std::to_string(i) + " ";
    record.SetGameComment("A club game");
    record.SetNote(0, {"!", "", Evaluation::Score(35)});
    record.SetNote(1, {"?!", "too slow", std::nullopt});
    record.SetNote(2, {"", "99999.00 is a word", Evaluation::Score(-310)});
    record.SetNote(3, {"??", "", Evaluation::Wins(CCheckerBoard::BlackSide, 12)});
    const std::string text = WritePdn(record, PdnTags());
    EXPECT_EQ(text.substr(text.find("\n\n")),
              "\n\n{A club game} 1. 11-15! {+0.35} 23-19?! {too slow} 2. 8-11 {-3.10} {99999.00 "
              "is\na word} 22-17?? {+#12} *\n");
    EXPECT_EQ(Read(text), record);

    // A "}" cannot end a comment written after ";"; long comments wrap and
    // read back as the same flowing text.
    record.SetGameComment("a } closes nothing {here}");
    record.SetNote(0, {"", longText, std::nullopt});
    const std::string odd = WritePdn(record, PdnTags());
    EXPECT_NE(odd.find("\n; a } closes nothing {here}\n1. 11-15"), std::string::npos) << odd;
    for (std::size_t at = 0, end; (end = odd.find('\n', at)) != std::string::npos; at = end + 1)
        EXPECT_LE(end - at, 79u) << odd;
    record.SetNote(0, {"", FlowingText(longText), std::nullopt});
    EXPECT_EQ(Read(odd), record);
}

TEST(PdnNotes, ReaderKeepsCommentsAndMarksInTheFormsOtherProgramsWrite)
{
    const CGameRecord read = Read("[Event \"x\"]\n{Before  the\n first move} 1. 11-15!! $2 {one} "
                                  "{+0.50} {two} {-1.00} 23-19 ; to the line's end\n"
                                  "2. 9-14 ! (2. 8-11 {lost with its variation}) 22-18 $5 "
                                  "{\xE9t\xE9 au caf\xE9} 3. 14x23 $17 *");
    EXPECT_EQ(read.GameComment(), "Before the first move");
    // A mark standing alone, or as $n, marks the move before it; the first
    // comment that is exactly an evaluation is the evaluation, later ones words.
    EXPECT_EQ(read.Note(0), (MoveNote{"?", "one two -1.00", Evaluation::Score(50)}));
    EXPECT_EQ(read.Note(1).comment, "to the line's end");
    EXPECT_EQ(read.Note(2).mark, "!");
    EXPECT_EQ(read.Note(3), (MoveNote{"!?", "été au café", std::nullopt})); // Latin-1
    EXPECT_EQ(read.Note(4), MoveNote());                                    // $17 is no mark
    EXPECT_EQ(Read(WritePdn(read, PdnTags())), read);
    // Marks before any move, and runs that are none of the six, mark nothing.
    const CGameRecord odd = Read("! 1. 11-15!!! 23-19?? *");
    EXPECT_EQ(odd.Note(0), MoveNote());
    EXPECT_EQ(odd.Note(1).mark, "??");
}

TEST(PdnNotes, EndsAndClocksWriteTheirResultsAndTagsAndReadBackTheSame)
{
    const struct
    {
        GameEnd end;
        const char* result;
    } cases[] = {
        {DrawnBy(GameEndKind::Agreement), "1-1"},
        {LostBy(GameEndKind::Resignation, CCheckerBoard::RedSide), "2-0"},
        {LostBy(GameEndKind::Time, CCheckerBoard::BlackSide), "0-2"},
    };
    PdnTags tags;
    tags.black = "Ren\xE9"; // Latin-1, read as UTF-8
    tags.timeControl = "300+3";
    for (const auto& c : cases)
    {
        CGameRecord record = GameOf("", {"11-15", "23-19"});
        ASSERT_TRUE(record.EndGame(c.end));
        const std::string text = WritePdn(record, tags);
        EXPECT_NE(text.find(std::string("[Result \"") + c.result + "\"]\n[TimeControl \"300+3\"]"),
                  std::string::npos);
        EXPECT_NE(text.find(std::string("23-19 ") + c.result + "\n"), std::string::npos);
        EXPECT_EQ(text.find("[Termination \"time forfeit\"]") != std::string::npos,
                  c.end.kind == GameEndKind::Time);
        PdnTags read;
        EXPECT_EQ(Read(text, &read), record) << text;
        EXPECT_EQ(read.black, "René");
        EXPECT_EQ(read.timeControl, "300+3");
    }
    EXPECT_EQ(WritePdn(CGameRecord(), PdnTags()).find("TimeControl"), std::string::npos);
}

TEST(PdnNotes, AResultOnAGameNotOverOnTheBoardEndsItSensibly)
{
    const std::string moves = "1. 11-15 23-19 ";
    const struct
    {
        std::string text;
        std::optional<GameEnd> end;
    } cases[] = {
        {"[Result \"1-1\"]\n" + moves, DrawnBy(GameEndKind::Agreement)},
        {moves + "1/2-1/2", DrawnBy(GameEndKind::Agreement)},
        {"[FEN \"B:WK32:BK1\"]\n1. 1-6 32-27 2. 6-1 27-32 3. 1-6 32-27 4. 6-1 27-32 1-1",
         DrawnBy(GameEndKind::Repetition)},
        {moves + "2-0", LostBy(GameEndKind::Resignation, CCheckerBoard::RedSide)},
        {"[Result \"2-0\"]\n" + moves + "*", std::nullopt},   // the moves' own result counts
        {moves + "1-0", std::nullopt},                        // whose win is unclear
        {"[FEN \"W:W18:B14\"]\n1... 18x9 1-1", std::nullopt}, // the board's end stands
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text).End(), c.end) << c.text;
    EXPECT_EQ(PdnResult(Read(cases[6].text)), "0-2");
}
