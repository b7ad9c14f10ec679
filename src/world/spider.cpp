// Spiders.
#include "world/spider.h"

void SpiderT::Create_New(int /*count*/) {}

void SpiderT::Update() { MethodDrawEntity(); }
