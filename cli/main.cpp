// korvelin-cli: the Korvelin engine from a terminal.
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CliArgs.h"
#include "Commands.h"
#include "SearchSession.h"

namespace {

void PrintUsage(FILE* to) {
  std::fputs(
      "Usage: korvelin-cli COMMAND [OPTIONS]\n"
      "\n"
      "Commands:\n"
      "  info FOLDER [--no-subfolders] [--lines] [--raw-bytes]\n"
      "      Load the .txt files under FOLDER, and print the file count, the byte\n"
      "      size, the detected Chinese/segmented/tagged flags and the token totals\n"
      "      with and without punctuation; --lines also prints the prepared lines.\n"
      "\n"
      "  search FOLDER QUERY [OPTIONS]\n"
      "  search FOLDER --batch FILE [OPTIONS]\n"
      "      Search the corpus: one hit per line, tab-separated: hit number, file,\n"
      "      line number, position, length, match, left context, right context.\n"
      "      The hit count goes to stderr. Options:\n",
      to);
  std::fputs(korvelin::cli::kSearchOptionsHelp, to);
  std::fputs(
      "\n"
      "  conc FOLDER QUERY [search options] [OPTIONS]\n"
      "      The concordance of the search, filtered and sorted as on the\n"
      "      Concordance tab. Without --html it writes the saved text (row number,\n"
      "      file, left context, \" node \", right context) to stdout, or to FILE\n"
      "      with --save FILE. Options:\n"
      "      --sort LEVELS        sort levels, most significant first: R1:word,L1:pos,\n"
      "                           Node:lemma (types word, pos, lemma, category, word_pos)\n"
      "      --filter EXPR        keep the hits whose context matches EXPR (smart input\n"
      "                           unless --no-smart); filtering comes before sorting\n"
      "      --scope SIDES        sides the filter looks at: left,center,right (default all)\n"
      "      --exclude            keep the hits whose context does not match\n"
      "      --modes L,C,R        display modes of the sides: word, pos, word_pos\n"
      "                           (default word,word,word)\n"
      "      --save FILE          write the saved text to FILE (- for stdout)\n"
      "      --html FILE          write a KWIC page of 100 rows (in the corpus code page;\n"
      "                           it links sys/result.css relative to itself)\n"
      "      --page N             which page of 100 rows --html writes (default 1)\n"
      "      --paragraph HIT      with --html FILE: the paragraph page of hit number HIT\n",
      to);
  std::fputs(
      "\n"
      "Text is written as UTF-8 unless --raw-bytes asks for the corpus code page\n"
      "(GBK for Chinese, Windows-1252 otherwise); queries are typed as UTF-8.\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const std::string command = argv[1];
  const std::vector<std::string> rest(argv + 2, argv + argc);
  try {
    if (command == "info") return korvelin::cli::CmdInfo(rest);
    if (command == "search") return korvelin::cli::CmdSearch(rest);
    if (command == "conc") return korvelin::cli::CmdConc(rest);
    throw korvelin::cli::TUsageError{"unknown command \"" + command + "\""};
  } catch (const korvelin::cli::TUsageError& e) {
    std::cerr << "korvelin-cli: " << e.message << "\n\n";
    PrintUsage(stderr);
    return 2;
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << e.what() << "\n";
    return 1;
  }
}
