// What the test module asks its host when it is created (see TestEffectFactory.cpp).
#pragma once

constexpr char kWithoutEditorQuestion[] = "shellTestWithoutEditor";
