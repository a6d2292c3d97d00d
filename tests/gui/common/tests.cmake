# The prompts every question to the user goes through; the message box and the
# command ids are exercised through the windows that use them.
corvanta_test(prompts_tests GUI SOURCES gui/ScriptedPrompts.h gui/common/UserPromptsTest.cpp)
